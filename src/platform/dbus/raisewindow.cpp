#include "platform/dbus/raisewindow.h"

#include <QWidget>

namespace orvane {

void raiseWindow(QWidget& window)
{
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

} // namespace orvane
