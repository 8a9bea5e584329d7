#pragma once

#include "model/changenotifier.h"

namespace orvane {

// The progress gauge's bounds and value, in seconds. The value may lie outside the bounds for
// a while: a new track's bounds come before its first value.
class GaugeModel : public ChangeNotifier
{
public:
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    double value() const { return m_value; }
    void setMinimum(int seconds) { set(m_minimum, seconds); }
    void setMaximum(int seconds) { set(m_maximum, seconds); }
    void setValue(double seconds) { set(m_value, seconds); }
    // The share of the gauge filled, 0 to 1: the value clamped to the bounds.
    double filledFraction() const;

private:
    template <typename T> void set(T& field, T value)
    {
        if (field == value)
            return;
        field = value;
        notify();
    }

    int m_minimum = 0;
    int m_maximum = 100;
    double m_value = 0;
};

} // namespace orvane
