#pragma once

#include "engine/outputdevice.h"

namespace orvane {

// The machine's sound device through SDL2 (PulseAudio, PipeWire, ALSA ...), opened for float
// stereo at the output rate; SDL converts to whatever the device takes. SDL's own thread calls
// the render callback, at the real-time priority SDL asks for where the system grants it. A
// stream stops its callback at once when destroyed; the device then closes on a thread of its
// own, waited for a short while only (a stopped sound server holds it for as long as it stays
// stopped).
class SdlOutputDevice : public OutputDevice
{
public:
    // Four periods: the server asks for a whole period at a time, and a period may come late by
    // three before the sound breaks.
    static constexpr int kServerBufferMs = 100;

    // Sets up the process's environment for its streams; best called before any other thread
    // starts. SDL asks PulseAudio for a buffer of a single period, which runs dry whenever the
    // callback is a little late on a busy machine: the streams get kServerBufferMs instead
    // (through libpulse's PULSE_LATENCY_MSEC, unless the user has set it).
    static void prepareEnvironment();

    // Prepares the environment, if that has not been done.
    SdlOutputDevice();

    // `again` after a failure: SDL's driver is started afresh, for a sound server that has come
    // (back) since.
    std::unique_ptr<AudioOutput> open(RenderCallback render, bool again,
                                      std::string& error) override;
    // Loads SDL and starts its driver, which connects to the sound server.
    void prepare() override;
    // False when the environment asks SDL for its dummy driver: no device will ever come.
    bool mayAppear() const override;
    // Stops SDL's audio driver, unless a device is still closing.
    void release() override;
};

} // namespace orvane
