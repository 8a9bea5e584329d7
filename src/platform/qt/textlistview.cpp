#include "platform/qt/textlistview.h"

#include "platform/qt/flatlook.h"
#include "platform/qt/listmodeladapter.h"

#include <QFocusEvent>
#include <QGuiApplication>
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

TextListView::TextListView(QWidget* parent) : QListView(parent), m_lines(new ListModelAdapter(this))
{
    setModel(m_lines);
    setItemDelegate(new LineDelegate(this));
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A press and move drags the list out, so the list does not scroll along with it.
    setAutoScroll(false);
    makeFlat(*this);
    connect(m_lines, &ListModelAdapter::changeBegins, this,
            [this](ListObserver::Change change, int first, int) { changeBegins(change, first); });
    connect(m_lines, &ListModelAdapter::changeEnds, this, &TextListView::showModelSelection);
    connect(m_lines, &ListModelAdapter::selectionChangedInModel, this,
            &TextListView::showModelSelection);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TextListView::takeUserSelection);
}

void TextListView::bind(ListModel* model)
{
    m_following = true;
    m_lines->bind(model);
    m_following = false;
    showModelSelection();
}

int TextListView::selectedRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void TextListView::changeBegins(ListObserver::Change change, int first)
{
    m_following = true;
    // A view in single selection selects a neighbour of a removed current row; a list box
    // selects none, so the current row goes first.
    if (change == ListObserver::Change::Remove && currentIndex().row() == first)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

void TextListView::showModelSelection()
{
    m_following = true;
    const ListModel* model = m_lines->model();
    const int row = model ? model->selectedIndex() : -1;
    if (row < 0) {
        selectionModel()->clearSelection();
    } else if (row != selectedRow()) {
        const QModelIndex index = m_lines->index(row);
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
        scrollTo(index);
    }
    m_following = false;
}

void TextListView::takeUserSelection()
{
    if (!m_following)
        emit selected(selectedRow());
}

void TextListView::mouseDoubleClickEvent(QMouseEvent* event)
{
    QListView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit dblClicked();
}

void TextListView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QListView::currentChanged(current, previous);
    // Auto-scroll is off for the sake of drags, which also keeps the view from following the
    // keys: a line the keys move to is brought into view here, unless a button is held.
    if (current.isValid() && QGuiApplication::mouseButtons() == Qt::NoButton)
        scrollTo(current);
}

void TextListView::focusInEvent(QFocusEvent* event)
{
    QListView::focusInEvent(event);
    const bool byTab =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (byTab && m_lines->rowCount() > 0 && selectedRow() < 0) {
        const int current = currentIndex().row();
        emit selected(current >= 0 ? current : 0);
    }
}

} // namespace orvane
