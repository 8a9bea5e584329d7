#pragma once

#include "model/folderlistmodel.h"
#include "platform/qt/modelbinding.h"

#include <QIcon>
#include <QTreeView>
#include <string>
#include <vector>

class QStandardItemModel;

namespace orvane {

// The folder list: the chain of folders from the root down to the current folder, then the
// current folder's sub-folders. A double-click or Enter on a folder asks for it to be opened.
class FolderListBox : public QTreeView
{
    Q_OBJECT
public:
    explicit FolderListBox(QWidget* parent = nullptr);

    // Shows `model` from now on; null shows nothing.
    void bind(FolderListModel* model) { m_model.bind(model); }
    // The folders shown, top to bottom, as full paths.
    std::vector<std::string> shownFolders() const;

signals:
    // The user asked for folder `path` (bytes of a file name, not always UTF-8) to be opened.
    void openRequested(const QByteArray& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void drawBranches(QPainter* painter, const QRect& rect,
                      const QModelIndex& index) const override;

private:
    void rebuild();
    void requestOpen(const QModelIndex& index);

    QStandardItemModel* m_items;
    QIcon m_closedIcon;
    QIcon m_openIcon;
    ModelBinding<FolderListModel> m_model;
};

} // namespace orvane
