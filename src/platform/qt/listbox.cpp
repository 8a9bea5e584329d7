#include "platform/qt/listbox.h"

#include "platform/qt/flatlook.h"
#include "platform/qt/stringlistmodel.h"

#include <QItemSelectionModel>
#include <QMouseEvent>

namespace orvane {

ListBox::ListBox(QWidget* parent) : QListView(parent), m_model(new StringListModel(this))
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

int ListBox::count() const
{
    return m_model->size();
}

std::string ListBox::item(int index) const
{
    return m_model->at(index);
}

void ListBox::addItem(const std::string& text)
{
    if (count() < kMaxListEntries)
        m_model->append(text);
}

void ListBox::removeItem(int index)
{
    // A view in single selection selects a neighbour of a removed current row; a list box
    // selects none, so the current row is dropped first. The selection model then keeps the
    // selection on the rows that stay.
    if (currentIndex().row() == index)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    m_model->removeAt(index);
}

int ListBox::selectedIndex() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void ListBox::setSelectedIndex(int index)
{
    if (index < 0 || index >= count()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex row = m_model->index(index);
    selectionModel()->setCurrentIndex(row, QItemSelectionModel::ClearAndSelect);
    scrollTo(row);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit dblClicked();
}

} // namespace orvane
