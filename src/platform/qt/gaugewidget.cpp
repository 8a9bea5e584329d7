#include "platform/qt/gaugewidget.h"

#include <QPainter>
#include <cmath>

namespace orvane {

GaugeWidget::GaugeWidget(QWidget* parent) : QWidget(parent), m_model([this] { update(); })
{
    setFocusPolicy(Qt::NoFocus);
}

void GaugeWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    painter.fillRect(rect(), kBackground);
    const double fraction = m_model.get() ? m_model.get()->filledFraction() : 0.0;
    const int filled = static_cast<int>(std::lround(inside.width() * fraction));
    painter.fillRect(QRect(inside.left(), inside.top(), filled, inside.height()), kFill);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace orvane
