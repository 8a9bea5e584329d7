#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

namespace orvane {

// Fills `frames` frames of interleaved float stereo at the output rate, on the output's own
// thread; it must neither block nor allocate.
using RenderCallback = std::function<void(float* out, std::size_t frames)>;

// Sees every buffer handed to the output, on the output's thread; it must neither block nor
// allocate. A hook for tests and benchmarks.
using OutputTap = std::function<void(const float* samples, std::size_t frames)>;

// An open output stream that keeps asking for sound until it is destroyed.
class AudioOutput
{
public:
    // Frames asked for per callback: 25 ms, long enough to spare the sound server frequent
    // wake-ups, short enough for a quick start.
    static constexpr std::size_t kPeriodFrames = 1200;

    virtual ~AudioOutput() = default;

    // What the stream plays to, for messages and benchmarks.
    virtual std::string description() const = 0;
    // True once the stream has stopped for good (its device or sound server went away).
    virtual bool lost() const = 0;
};

// Where the engine's sound goes out: the machine's sound device, or a sink of the engine's own.
// Only the output keeper opens streams, one at a time, from one thread.
class OutputDevice
{
public:
    virtual ~OutputDevice() = default;

    // A running stream that calls `render`; null, with `error` set, when none opens. `again`
    // after a failure: the device is to be looked for afresh (a sound server come back).
    virtual std::unique_ptr<AudioOutput> open(RenderCallback render, bool again,
                                              std::string& error) = 0;
    // Gets ready to open a stream at once (its library loaded, the sound server connected)
    // without opening one.
    virtual void prepare() {}
    // False when no stream will ever open (a driver that keeps no time was asked for).
    virtual bool mayAppear() const = 0;
    // Lets go of what the device holds between streams, once none is open.
    virtual void release() = 0;
};

} // namespace orvane
