#pragma once

#include <cstddef>

namespace orvane {

// The sound an output keeper feeds to its output.
class SoundStream
{
public:
    virtual ~SoundStream() = default;

    // Any thread: true while there is sound to play.
    virtual bool needsOutput() const = 0;
    // Any thread: true when sound is rendered and waiting to be pulled.
    virtual bool soundReady() const { return needsOutput(); }
    // Output thread: fills `frames` frames of interleaved stereo, silence where there is none;
    // it neither blocks nor allocates.
    virtual void pull(float* out, std::size_t frames) = 0;
};

} // namespace orvane
