#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace orvane {

// An open output stream that keeps asking for interleaved float stereo at the output rate
// until it is destroyed.
class AudioOutput
{
public:
    // Called on the output's own thread to fill `frames` frames.
    using Render = std::function<void(float* out, std::size_t frames)>;

    virtual ~AudioOutput() = default;

    // What the stream plays to, for messages and benchmarks.
    virtual std::string description() const = 0;
    // Frames asked for per callback.
    virtual std::size_t periodFrames() const = 0;
};

} // namespace orvane
