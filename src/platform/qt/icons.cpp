#include "platform/qt/icons.h"

#include "platform/qt/svgiconengine.h"

#include <QGuiApplication>

// Outside the namespace, as Q_INIT_RESOURCE requires.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace orvane {

void registerPictures()
{
    // The pictures are compiled into a static library, whose registration nothing else pulls in.
    static const bool registered = [] {
        initResources();
        return true;
    }();
    (void)registered;
}

namespace {

qreal screenRatio()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

} // namespace

QPixmap renderIcon(const QString& resource, int size)
{
    return iconOf(resource, size).pixmap(QSize(size, size), screenRatio());
}

QIcon iconOf(const QString& resource, int size)
{
    // Drawn here rather than through the image plugins, which a deployment may lack; for each
    // screen's ratio as it is shown there, so that none gets one scaled.
    registerPictures();
    return QIcon(new SvgIconEngine(resource, size));
}

} // namespace orvane
