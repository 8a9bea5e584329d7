#pragma once

#include "platform/audio/audiooutput.h"

#include <cstdint>
#include <memory>

namespace orvane {

// The machine's audio device through SDL2 (PulseAudio, PipeWire, ALSA ...), opened for float
// stereo at the output rate; SDL converts to whatever the device takes. Its own thread calls
// the callback, at the real-time priority SDL asks for where the system grants it. Only the
// output keeper's thread opens and destroys these.
class SdlAudioOutput : public AudioOutput
{
public:
    // The running stream; null with `error` set when no device opens. `again` after a failure:
    // SDL's driver is started afresh, for a sound server that has come (back) since.
    static std::unique_ptr<SdlAudioOutput> open(Render render, bool again, std::string& error);
    // Sets up the process's environment for its streams; best called before any other thread
    // starts. SDL asks PulseAudio for a buffer of a single period, which runs dry whenever the
    // callback is a little late on a busy machine: the streams get kServerBufferMs instead
    // (through libpulse's PULSE_LATENCY_MSEC, unless the user has set it).
    static void prepareEnvironment();
    // Four periods: the server asks for a whole period at a time, and a period may come late by
    // three before the sound breaks.
    static constexpr int kServerBufferMs = 100;
    // False when the environment asks SDL for its dummy driver: no device will ever come.
    static bool deviceMayAppear();
    // Stops SDL's audio driver, unless a device is still closing.
    static void stopDriver();
    // Stops the callback at once; the device closes on a thread of its own, waited for a short
    // while only (a stopped sound server holds it for as long as it stays stopped).
    ~SdlAudioOutput() override;
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    std::string description() const override;
    bool lost() const override;

private:
    struct Gate;
    SdlAudioOutput(std::shared_ptr<Gate> gate, std::uint32_t device);
    static void callback(void* gate, std::uint8_t* stream, int bytes);

    std::shared_ptr<Gate> m_gate;
    std::uint32_t m_device;
};

} // namespace orvane
