#include "platform/qt/icons.h"

#include <QPainter>
#include <QSvgRenderer>

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

QPixmap renderIcon(const QString& resource, int size)
{
    // Drawn here rather than through the image plugins, which a deployment may lack.
    registerPictures();
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

QIcon iconOf(const QString& resource, int size)
{
    return QIcon(renderIcon(resource, size));
}

} // namespace orvane
