#pragma once

#include "platform/folderlistcontrol.h"

#include <QIcon>
#include <QTreeView>

class QStandardItemModel;

namespace orvane {

// The folder list: the chain of folders from the root down to the current folder, then the
// current folder's sub-folders. A double-click or Enter on a folder opens it.
class FolderListBox : public QTreeView, public FolderListControl
{
    Q_OBJECT
public:
    explicit FolderListBox(QWidget* parent = nullptr);

    std::string path() const override { return m_path; }
    bool setPath(const std::string& path) override;

    // The folders shown, top to bottom, as full paths.
    std::vector<std::string> shownFolders() const;

signals:
    // The current folder changed.
    void changed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;

private:
    void openFolderAt(const QModelIndex& index);

    QStandardItemModel* m_model;
    QIcon m_closedIcon;
    QIcon m_openIcon;
    std::string m_path;
};

} // namespace orvane
