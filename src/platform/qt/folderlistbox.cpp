#include "platform/qt/folderlistbox.h"

#include "platform/qt/flatlook.h"
#include "platform/qt/icons.h"
#include "text/lowercase.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStandardItemModel>
#include <algorithm>
#include <filesystem>
#include <system_error>

namespace orvane {

namespace fs = std::filesystem;

namespace {

constexpr int kPathRole = Qt::UserRole + 1;
constexpr int kIconPixels = 16;
constexpr int kIndentPixels = 8;

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    return lowerCase(a) < lowerCase(b);
}

// The absolute, normalised form of `path`, without a trailing separator except for the root.
fs::path normalised(const std::string& path)
{
    std::error_code error;
    fs::path absolute = fs::absolute(fs::path(path), error);
    if (error)
        return {};
    absolute = absolute.lexically_normal();
    if (absolute.has_relative_path() && !absolute.has_filename())
        absolute = absolute.parent_path();
    return absolute;
}

// The visible sub-folders of `folder`, ordered by name without regard to case; false when
// the folder cannot be listed.
bool readSubFolders(const fs::path& folder, std::vector<std::string>& names)
{
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return false;
    fs::directory_iterator entries(folder, error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        const std::string name = entries->path().filename().string();
        std::error_code statError;
        if (!name.empty() && name.front() != '.' && entries->is_directory(statError))
            names.push_back(name);
    }
    if (error)
        return false;
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    return true;
}

QStandardItem* folderItem(const QString& text, const fs::path& path, const QIcon& icon)
{
    auto* item = new QStandardItem(icon, text);
    // Kept as bytes: a folder name need not be valid UTF-8.
    item->setData(QByteArray::fromStdString(path.string()), kPathRole);
    item->setEditable(false);
    return item;
}

} // namespace

FolderListBox::FolderListBox(QWidget* parent)
    : QTreeView(parent), m_model(new QStandardItemModel(this)),
      m_closedIcon(iconOf(icons::kFolderClosed, kIconPixels)),
      m_openIcon(iconOf(icons::kFolderOpen, kIconPixels))
{
    setModel(m_model);
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
    connect(this, &QTreeView::doubleClicked, this, &FolderListBox::openFolderAt);
}

bool FolderListBox::setPath(const std::string& path)
{
    const fs::path folder = normalised(path);
    std::vector<std::string> subFolders;
    if (folder.empty() || !readSubFolders(folder, subFolders))
        return false;

    m_model->clear();
    // The chain from the root down to the folder, each an open folder inside the one above.
    fs::path chain = folder.root_path();
    QStandardItem* current = folderItem(QString::fromStdString(chain.string()), chain, m_openIcon);
    m_model->appendRow(current);
    for (const fs::path& part : folder.relative_path()) {
        chain /= part;
        auto* child = folderItem(QString::fromStdString(part.string()), chain, m_openIcon);
        current->appendRow(child);
        current = child;
    }
    for (const std::string& name : subFolders)
        current->appendRow(folderItem(QString::fromStdString(name), folder / name, m_closedIcon));
    expandAll();
    setCurrentIndex(current->index());
    scrollTo(current->index());

    m_path = folder.string();
    emit changed();
    return true;
}

std::vector<std::string> FolderListBox::shownFolders() const
{
    std::vector<std::string> folders;
    for (QModelIndex index = m_model->index(0, 0); index.isValid(); index = indexBelow(index))
        folders.push_back(index.data(kPathRole).toByteArray().toStdString());
    return folders;
}

void FolderListBox::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        currentIndex().isValid()) {
        openFolderAt(currentIndex());
        return;
    }
    QTreeView::keyPressEvent(event);
}

void FolderListBox::drawBranches(QPainter*, const QRect&, const QModelIndex&) const
{
    // Every folder shown is open or a leaf: there is nothing to expand, so no branch marks.
}

void FolderListBox::openFolderAt(const QModelIndex& index)
{
    // A folder that cannot be opened is refused; the list stays as it was.
    if (index.isValid())
        setPath(index.data(kPathRole).toByteArray().toStdString());
}

} // namespace orvane
