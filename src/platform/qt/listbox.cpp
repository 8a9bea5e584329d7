#include "platform/qt/listbox.h"

#include "platform/mainwindowevents.h"
#include "platform/qt/listmodeladapter.h"

#include <QKeyEvent>

namespace orvane {

ListBox::ListBox(QWidget* parent) : TextListView(parent)
{
    // A queue entry ends in the file's name, which a cut on the right would hide.
    setTextElideMode(Qt::ElideMiddle);
    lines().setToolTips(true);
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    // A held key repeats; one removal at a time is enough.
    if (event->key() == Qt::Key_Delete && !event->isAutoRepeat())
        emit keyDown(kDeleteKeyCode);
    TextListView::keyPressEvent(event);
}

} // namespace orvane
