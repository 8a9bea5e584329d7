#include "queue/randomsource.h"

#include <chrono>
#include <cmath>

namespace orvane {

void ClockSeededRandom::seedFromClock()
{
    const auto ticks = std::chrono::system_clock::now().time_since_epoch().count();
    m_engine.seed(static_cast<std::mt19937::result_type>(ticks));
}

float ClockSeededRandom::next()
{
    // generate_canonical<float> can round up to exactly 1.0; keep the draw below 1.
    const float r = std::generate_canonical<float, 24>(m_engine);
    return r < 1.0f ? r : std::nextafter(1.0f, 0.0f);
}

} // namespace orvane
