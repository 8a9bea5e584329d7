#include "platform/audio/sdlaudiooutput.h"

#include "platform/audio/outputformat.h"

#include <SDL.h>

namespace orvane {

namespace {

constexpr Uint16 kPeriodFrames = 512; // about 11 ms: the step between two tracks stays short

} // namespace

std::unique_ptr<SdlAudioOutput> SdlAudioOutput::open(Render render, std::string& error)
{
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Orvane");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "Music");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error = SDL_GetError();
        return nullptr;
    }
    std::unique_ptr<SdlAudioOutput> output(new SdlAudioOutput(std::move(render)));
    SDL_AudioSpec wanted{};
    wanted.freq = kOutputRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = kOutputChannels;
    wanted.samples = kPeriodFrames;
    wanted.callback = &SdlAudioOutput::callback;
    wanted.userdata = output.get();
    SDL_AudioSpec obtained{};
    output->m_device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (output->m_device == 0) {
        error = SDL_GetError();
        return nullptr; // the destructor quits the subsystem
    }
    output->m_periodFrames = obtained.samples;
    SDL_PauseAudioDevice(output->m_device, 0);
    return output;
}

SdlAudioOutput::SdlAudioOutput(Render render) : m_render(std::move(render)) {}

SdlAudioOutput::~SdlAudioOutput()
{
    if (m_device != 0)
        SDL_CloseAudioDevice(m_device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

std::string SdlAudioOutput::description() const
{
    const char* driver = SDL_GetCurrentAudioDriver();
    return std::string("SDL audio (") + (driver != nullptr ? driver : "?") + ")";
}

void SdlAudioOutput::callback(void* self, std::uint8_t* stream, int bytes)
{
    auto* output = static_cast<SdlAudioOutput*>(self);
    const auto frames = static_cast<std::size_t>(bytes) / (sizeof(float) * kOutputChannels);
    output->m_render(reinterpret_cast<float*>(stream), frames);
}

} // namespace orvane
