#pragma once

#include "platform/gaugecontrol.h"

#include <QColor>
#include <QWidget>

namespace orvane {

// The progress gauge: a bar filled from the left in proportion to its value between bounds.
class GaugeWidget : public QWidget, public GaugeControl
{
    Q_OBJECT
public:
    static constexpr QColor kFill{0, 128, 128};
    static constexpr QColor kBackground{255, 255, 128};

    explicit GaugeWidget(QWidget* parent = nullptr);

    void setMinimum(int seconds) override;
    void setMaximum(int seconds) override;
    void setValue(double seconds) override;

    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    double value() const { return m_value; }
    // The share of the bar filled, 0 to 1: the value clamped to the bounds.
    double filledFraction() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_minimum = 0;
    int m_maximum = 100;
    double m_value = 0;
};

} // namespace orvane
