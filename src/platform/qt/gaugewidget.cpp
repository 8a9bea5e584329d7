#include "platform/qt/gaugewidget.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace orvane {

GaugeWidget::GaugeWidget(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

void GaugeWidget::setMinimum(int seconds)
{
    m_minimum = seconds;
    update();
}

void GaugeWidget::setMaximum(int seconds)
{
    m_maximum = seconds;
    update();
}

void GaugeWidget::setValue(double seconds)
{
    m_value = seconds;
    update();
}

double GaugeWidget::filledFraction() const
{
    // A new track's bounds arrive before its first value: the old value may lie outside.
    if (m_maximum <= m_minimum || !std::isfinite(m_value))
        return 0.0;
    const double clamped = std::clamp(m_value, double(m_minimum), double(m_maximum));
    return (clamped - m_minimum) / (m_maximum - m_minimum);
}

void GaugeWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    painter.fillRect(rect(), kBackground);
    const int filled = static_cast<int>(std::lround(inside.width() * filledFraction()));
    painter.fillRect(QRect(inside.left(), inside.top(), filled, inside.height()), kFill);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace orvane
