#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace orvane {

// Sees every buffer handed to the output, on the output's thread; it must neither block nor
// allocate. A hook for tests and benchmarks.
using OutputTap = std::function<void(const float* samples, std::size_t frames)>;

// An open output stream that keeps asking for interleaved float stereo at the output rate
// until it is destroyed.
class AudioOutput
{
public:
    // Called on the output's own thread to fill `frames` frames; it must neither block nor
    // allocate.
    using Render = std::function<void(float* out, std::size_t frames)>;

    // Frames asked for per callback: 25 ms, long enough to spare the sound server frequent
    // wake-ups, short enough for a quick start.
    static constexpr std::size_t kPeriodFrames = 1200;

    virtual ~AudioOutput() = default;

    // What the stream plays to, for messages and benchmarks.
    virtual std::string description() const = 0;
    // True once the stream has stopped for good (its device or sound server went away).
    virtual bool lost() const = 0;
};

} // namespace orvane
