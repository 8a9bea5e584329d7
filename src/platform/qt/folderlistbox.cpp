#include "platform/qt/folderlistbox.h"

#include "platform/qt/flatlook.h"
#include "platform/qt/icons.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStandardItemModel>
#include <algorithm>

namespace orvane {

namespace {

constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kIconPixels = 16;
constexpr int kIndentPixels = 8;

} // namespace

FolderListBox::FolderListBox(QWidget* parent)
    : QTreeView(parent), m_items(new QStandardItemModel(this)),
      m_closedIcon(iconOf(icons::kFolderClosed, kIconPixels)),
      m_openIcon(iconOf(icons::kFolderOpen, kIconPixels)), m_model([this] { rebuild(); })
{
    setModel(m_items);
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(kIndentPixels);
    setUniformRowHeights(true);
    setIconSize(QSize(kIconPixels, kIconPixels));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    makeFlat(*this);
    connect(this, &QTreeView::doubleClicked, this, &FolderListBox::requestOpen);
}

void FolderListBox::rebuild()
{
    m_items->clear();
    if (!m_model.get())
        return;
    // Each open folder holds the lines below it: the chain, then the sub-folders.
    QStandardItem* parent = m_items->invisibleRootItem();
    QStandardItem* current = nullptr;
    for (const FolderListModel::Row& row : m_model.get()->rows()) {
        auto* item = new QStandardItem(row.open ? m_openIcon : m_closedIcon,
                                       QString::fromStdString(row.name));
        // Kept as bytes: a folder name need not be valid UTF-8.
        item->setData(QByteArray::fromStdString(row.path), kPathRole);
        item->setEditable(false);
        parent->appendRow(item);
        if (row.open) {
            current = item;
            parent = item;
        }
    }
    expandAll();
    if (current) {
        setCurrentIndex(current->index());
        // The opened folder's first sub-folders in view below it, as many as fit, the chain
        // above it as far as there is room.
        const int rows = viewport()->height() / std::max(rowHeight(current->index()), 1);
        const int below = std::min(current->rowCount(), rows - 1);
        if (below > 0)
            scrollTo(current->child(below - 1)->index());
        scrollTo(current->index());
    }
}

std::vector<std::string> FolderListBox::shownFolders() const
{
    std::vector<std::string> folders;
    for (QModelIndex index = m_items->index(0, 0); index.isValid(); index = indexBelow(index))
        folders.push_back(index.data(kPathRole).toByteArray().toStdString());
    return folders;
}

void FolderListBox::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
        requestOpen(currentIndex());
        return;
    }
    QTreeView::keyPressEvent(event);
}

void FolderListBox::drawBranches(QPainter*, const QRect&, const QModelIndex&) const
{
    // Every folder shown is open or a leaf: there is nothing to expand, so no branch marks.
}

void FolderListBox::requestOpen(const QModelIndex& index)
{
    if (index.isValid())
        emit openRequested(index.data(kPathRole).toByteArray());
}

} // namespace orvane
