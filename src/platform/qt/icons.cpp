#include "platform/qt/icons.h"

#include "platform/qt/svgiconengine.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>

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

QPixmap renderAt(const QString& resource, int size, qreal ratio)
{
    const int pixels = static_cast<int>(std::ceil(size * ratio));
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}

qreal screenRatio()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

} // namespace

QPixmap renderIcon(const QString& resource, int size)
{
    // Drawn here rather than through the image plugins, which a deployment may lack.
    registerPictures();
    return renderAt(resource, size, screenRatio());
}

QIcon iconOf(const QString& resource, int size)
{
    registerPictures();
    // Drawn for each screen's ratio as it is shown there, so that none gets one scaled.
    return QIcon(new SvgIconEngine(resource, size));
}

} // namespace orvane
