#include "platform/qt/textlistview.h"

#include "platform/qt/flatlook.h"
#include "platform/qt/stringlistmodel.h"

#include <QItemSelectionModel>
#include <QMouseEvent>

namespace orvane {

TextListView::TextListView(QWidget* parent) : QListView(parent), m_model(new StringListModel(this))
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

int TextListView::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void TextListView::selectRow(int row)
{
    if (row < 0 || row >= m_model->size()) {
        selectionModel()->clearSelection();
        return;
    }
    const QModelIndex index = m_model->index(row);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void TextListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit dblClicked();
}

} // namespace orvane
