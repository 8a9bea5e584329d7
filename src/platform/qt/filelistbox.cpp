#include "platform/qt/filelistbox.h"

#include "platform/mainwindowevents.h"

#include <QKeyEvent>

namespace orvane {

FileListBox::FileListBox(QWidget* parent) : TextListView(parent) {}

void FileListBox::keyPressEvent(QKeyEvent* event)
{
    // The key is reported first and then handled by the list as usual: it is not swallowed.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        emit keyPressed(kEnterKeyAscii);
    else if (!event->text().isEmpty())
        emit keyPressed(event->text().at(0).unicode());
    QListView::keyPressEvent(event);
}

} // namespace orvane
