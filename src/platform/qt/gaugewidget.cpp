#include "platform/qt/gaugewidget.h"

#include "model/gaugemodel.h"

#include <QPainter>
#include <cmath>

namespace orvane {

GaugeWidget::GaugeWidget(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

GaugeWidget::~GaugeWidget()
{
    if (m_model)
        m_model->setObserver({});
}

void GaugeWidget::bind(GaugeModel* model)
{
    if (m_model)
        m_model->setObserver({});
    m_model = model;
    if (m_model)
        m_model->setObserver([this] { update(); });
    update();
}

void GaugeWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    painter.fillRect(rect(), kBackground);
    const double fraction = m_model ? m_model->filledFraction() : 0.0;
    const int filled = static_cast<int>(std::lround(inside.width() * fraction));
    painter.fillRect(QRect(inside.left(), inside.top(), filled, inside.height()), kFill);
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace orvane
