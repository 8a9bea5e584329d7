#pragma once

#include "platform/audio/audiooutput.h"

#include <cstdint>
#include <memory>

namespace orvane {

// The machine's audio device through SDL2 (PulseAudio, PipeWire, ALSA ...), opened once for
// float stereo at the output rate; SDL converts to whatever the device takes.
class SdlAudioOutput : public AudioOutput
{
public:
    // The running stream; null with `error` set when no device opens.
    static std::unique_ptr<SdlAudioOutput> open(Render render, std::string& error);
    ~SdlAudioOutput() override;
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    std::string description() const override;
    std::size_t periodFrames() const override { return m_periodFrames; }

private:
    explicit SdlAudioOutput(Render render);
    static void callback(void* self, std::uint8_t* stream, int bytes);

    Render m_render;
    std::uint32_t m_device = 0;
    std::size_t m_periodFrames = 0;
};

} // namespace orvane
