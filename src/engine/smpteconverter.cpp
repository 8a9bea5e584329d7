#include "engine/smpteconverter.h"

namespace orvane {

MetricalTiming metricalTimingForSmpte(int framesPerSecond, int ticksPerFrame)
{
    const bool dropFrame = framesPerSecond == 29;
    const int frames = dropFrame ? 30 : framesPerSecond;
    return {static_cast<std::uint16_t>(frames * ticksPerFrame), dropFrame ? 1001000u : 1000000u};
}

} // namespace orvane
