#include "model/gaugemodel.h"

#include <algorithm>
#include <cmath>

namespace orvane {

double GaugeModel::filledFraction() const
{
    if (m_maximum <= m_minimum || !std::isfinite(m_value))
        return 0.0;
    const double clamped = std::clamp(m_value, double(m_minimum), double(m_maximum));
    return (clamped - m_minimum) / (m_maximum - m_minimum);
}

} // namespace orvane
