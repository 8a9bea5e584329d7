#pragma once

#include <cstddef>

namespace orvane {

// Every source renders, and the output plays, interleaved 32-bit float stereo at this rate.
inline constexpr int kOutputRate = 48000;
inline constexpr int kOutputChannels = 2;

// Milliseconds in `frames` frames at the output rate, rounded down.
inline long long outputFramesToMilliseconds(unsigned long long frames)
{
    return static_cast<long long>(frames * 1000ULL / kOutputRate);
}

} // namespace orvane
