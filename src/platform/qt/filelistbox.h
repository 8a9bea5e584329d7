#pragma once

#include "platform/qt/textlistview.h"

namespace orvane {

// The file list: the names of one folder's files that match a pattern.
class FileListBox : public TextListView
{
    Q_OBJECT
public:
    explicit FileListBox(QWidget* parent = nullptr);

signals:
    // A key with a character was typed: its character code (13 for Enter).
    void keyPressed(int keyAscii);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace orvane
