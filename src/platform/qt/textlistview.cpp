#include "platform/qt/textlistview.h"

#include "platform/qt/flatlook.h"
#include "platform/qt/stringlistmodel.h"

#include <QFocusEvent>
#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QStyledItemDelegate>

namespace orvane {

namespace {

class LineDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        // A character drawn from a fallback font (a note, an accent the font lacks) would make
        // its line taller, and the list sizes every line like its last one.
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(option.fontMetrics.height());
        return size;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        // The style marks the current line with a tint like a selection's; a current line
        // that is not selected must not look selected.
        QStyleOptionViewItem line = option;
        if (!line.state.testFlag(QStyle::State_Selected))
            line.state &= ~QStyle::State_HasFocus;
        QStyledItemDelegate::paint(painter, line, index);
    }
};

} // namespace

TextListView::TextListView(QWidget* parent) : QListView(parent), m_model(new StringListModel(this))
{
    setModel(m_model);
    setItemDelegate(new LineDelegate(this));
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

void TextListView::focusInEvent(QFocusEvent* event)
{
    QListView::focusInEvent(event);
    const bool byTab =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (byTab && m_model->size() > 0 && selectedRow() < 0) {
        const int current = currentIndex().row();
        selectRow(current >= 0 ? current : 0);
    }
}

} // namespace orvane
