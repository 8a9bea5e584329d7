#include "platform/qt/listbox.h"

#include "platform/mainwindowevents.h"
#include "platform/qt/stringlistmodel.h"

#include <QItemSelectionModel>
#include <QKeyEvent>

namespace orvane {

ListBox::ListBox(QWidget* parent) : TextListView(parent)
{
    // A queue entry ends in the file's name, which a cut on the right would hide.
    setTextElideMode(Qt::ElideMiddle);
    lines().setToolTips(true);
}

int ListBox::count() const
{
    return lines().size();
}

std::string ListBox::item(int index) const
{
    return lines().at(index);
}

void ListBox::addItem(const std::string& text)
{
    if (count() < kMaxListEntries)
        lines().append(text);
}

void ListBox::removeItem(int index)
{
    // A view in single selection selects a neighbour of a removed current row; a list box
    // selects none, so the current row is dropped first. The selection model then keeps the
    // selection on the rows that stay.
    if (currentIndex().row() == index)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    lines().removeAt(index);
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    // A held key repeats; one removal at a time is enough.
    if (event->key() == Qt::Key_Delete && !event->isAutoRepeat())
        emit keyDown(kDeleteKeyCode);
    TextListView::keyPressEvent(event);
}

} // namespace orvane
