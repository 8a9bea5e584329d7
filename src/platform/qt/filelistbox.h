#pragma once

#include "platform/filelistcontrol.h"
#include "platform/qt/textlistview.h"

namespace orvane {

// The file list: the names of one folder's files that match a pattern, read at once.
class FileListBox : public TextListView, public FileListControl
{
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

    std::string path() const override { return m_path; }
    void setPath(const std::string& path) override;
    std::string pattern() const override { return m_pattern; }
    void setPattern(const std::string& pattern) override;
    int count() const override;
    std::string name(int index) const override;
    int selectedIndex() const override { return selectedRow(); }
    void setSelectedIndex(int index) override { selectRow(index); }

signals:
    // A key with a character was typed: its character code (13 for Enter).
    void keyPressed(int keyAscii);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void reread();

    std::string m_path;
    std::string m_pattern = "*.*";
};

} // namespace orvane
