#pragma once

namespace orvane {

// The progress gauge: a bar filled from its lower bound up to its value.
class GaugeControl
{
public:
    virtual ~GaugeControl() = default;

    // Sets the lower bound, in seconds.
    virtual void setMinimum(int seconds) = 0;
    // Sets the upper bound, in seconds.
    virtual void setMaximum(int seconds) = 0;
    // Sets the value shown, in whole seconds; it may lie outside the bounds for a while.
    virtual void setValue(double seconds) = 0;
};

} // namespace orvane
