#pragma once

#include <QIconEngine>
#include <QString>

namespace orvane {

// An icon drawn from an SVG picture when it is first asked for at a size, mode and state, and
// kept in Qt's pixmap cache: only the sizes a screen shows are ever drawn.
class SvgIconEngine : public QIconEngine
{
public:
    // `resource` is drawn `designSize` x `designSize` large at a ratio of one.
    SvgIconEngine(QString resource, int designSize);

    // The picture drawn to fill `size` device pixels, in the look of `mode`.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    // The design size at the ratios screens commonly have, for those that ask (a window icon).
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;

private:
    QString m_resource;
    int m_designSize;
};

} // namespace orvane
