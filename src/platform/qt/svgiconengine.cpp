#include "platform/qt/svgiconengine.h"

#include <QApplication>
#include <QPainter>
#include <QPixmapCache>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>
#include <utility>

namespace orvane {

SvgIconEngine::SvgIconEngine(QString resource, int designSize)
    : m_resource(std::move(resource)), m_designSize(designSize)
{
}

QPixmap SvgIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    if (size.isEmpty())
        return {};
    const QString cacheKey = QStringLiteral("orvane-svg:%1:%2x%3:%4:%5")
                                 .arg(m_resource)
                                 .arg(size.width())
                                 .arg(size.height())
                                 .arg(int(mode))
                                 .arg(int(state));
    QPixmap pixmap;
    if (QPixmapCache::find(cacheKey, &pixmap))
        return pixmap;

    if (mode == QIcon::Normal || qApp == nullptr) {
        pixmap = QPixmap(size);
        pixmap.fill(Qt::transparent);
        QSvgRenderer renderer(m_resource);
        QPainter painter(&pixmap);
        renderer.render(&painter);
    } else {
        // Disabled, active and selected looks as the style makes them from the normal one.
        pixmap = this->pixmap(size, QIcon::Normal, state);
        QStyleOption option;
        option.palette = QGuiApplication::palette();
        const QPixmap styled = QApplication::style()->generatedIconPixmap(mode, pixmap, &option);
        if (!styled.isNull())
            pixmap = styled;
    }
    QPixmapCache::insert(cacheKey, pixmap);
    return pixmap;
}

void SvgIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                          QIcon::State state)
{
    const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
    drawn.setDevicePixelRatio(ratio);
    painter->drawPixmap(rect, drawn);
}

QSize SvgIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State)
{
    return size;
}

QList<QSize> SvgIconEngine::availableSizes(QIcon::Mode, QIcon::State)
{
    return {QSize(m_designSize, m_designSize), QSize(m_designSize * 2, m_designSize * 2),
            QSize(m_designSize * 3, m_designSize * 3)};
}

QIconEngine* SvgIconEngine::clone() const
{
    return new SvgIconEngine(m_resource, m_designSize);
}

QString SvgIconEngine::key() const
{
    return QStringLiteral("orvane-svg");
}

} // namespace orvane
