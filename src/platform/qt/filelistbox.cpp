#include "platform/qt/filelistbox.h"

#include "platform/folderlisting.h"
#include "platform/listcontrol.h"
#include "platform/qt/flatlook.h"
#include "platform/qt/stringlistmodel.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>

namespace orvane {

namespace {

constexpr int kEnter = 13;

} // namespace

FileListBox::FileListBox(QWidget* parent) : QListView(parent), m_model(new StringListModel(this))
{
    setModel(m_model);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A press and move drags the list out, so the list does not scroll along with it.
    setAutoScroll(false);
    makeFlat(*this);
}

void FileListBox::setPath(const std::string& path)
{
    m_path = path;
    reread();
}

void FileListBox::setPattern(const std::string& pattern)
{
    m_pattern = pattern;
    reread();
}

void FileListBox::reread()
{
    // Resetting the model also leaves no name selected.
    m_model->assign(m_path.empty() ? std::vector<std::string>()
                                   : listMatchingFiles(m_path, m_pattern, kMaxListEntries));
}

int FileListBox::count() const
{
    return m_model->size();
}

std::string FileListBox::name(int index) const
{
    return m_model->at(index);
}

int FileListBox::selectedIndex() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void FileListBox::setSelectedIndex(int index)
{
    if (index < 0 || index >= count()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex row = m_model->index(index);
    selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
    scrollTo(row);
}

void FileListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit dblClicked();
}

void FileListBox::keyPressEvent(QKeyEvent* event)
{
    // The key is reported first and then handled by the list as usual: it is not swallowed.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit keyPressed(kEnter);
    else if (!event->text().isEmpty())
        emit keyPressed(event->text().at(0).unicode());
    QListView::keyPressEvent(event);
}

} // namespace orvane
