#include "platform/sdl/sdloutputdevice.h"

#include "engine/audiolibraries.h"
#include "engine/outputformat.h"

#include <SDL.h>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>

namespace orvane {

namespace {

constexpr auto kCloseWait = std::chrono::milliseconds(200);

// SDL's audio driver is the process's, whichever stream uses it: every call that starts, stops
// or opens through it holds this lock. Closing a device does not: it may wait on the server.
std::mutex g_driverLock;
// Devices open or still closing; the driver is never stopped under them.
int g_devicesInUse = 0;

bool driverChosenByEnvironment()
{
    const char* chosen = std::getenv("SDL_AUDIODRIVER");
    return chosen != nullptr && *chosen != '\0';
}

// Starts SDL's audio driver: the first time in SDL's own order (or the environment's); again,
// afresh and only the sound servers, which are what comes and goes (ALSA would only repeat
// its noise on stderr). Holds g_driverLock.
bool startDriver(bool again, std::string& error)
{
    if (SDL_GetCurrentAudioDriver() != nullptr) {
        if (!again || g_devicesInUse > 0)
            return true;
        SDL_AudioQuit();
    }
    if (!again || driverChosenByEnvironment()) {
        if (SDL_AudioInit(nullptr) == 0)
            return true;
    } else {
        for (const char* driver : {"pulseaudio", "pipewire"})
            if (SDL_AudioInit(driver) == 0)
                return true;
    }
    error = SDL_GetError();
    return false;
}

// Loads SDL, names the program's streams as the sound server shows them (read when the driver
// starts) and starts the driver as startDriver() does. Holds g_driverLock.
bool loadAndStartDriver(bool again, std::string& error)
{
    if (!sdlLibrary().load()) {
        error = "SDL2 cannot be loaded";
        return false;
    }
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Orvane");
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_STREAM_NAME, "Music");
    return startDriver(again, error);
}

// What SDL's callback reaches: the render function while the stream is open, nothing once it
// is closed, so that a device still closing never calls into the engine.
struct Gate
{
    explicit Gate(RenderCallback r) : render(std::move(r)) {}

    RenderCallback render;
    std::atomic<bool> open{true};
    std::atomic<int> inside{0};
};

void callback(void* userdata, std::uint8_t* stream, int bytes)
{
    auto* gate = static_cast<Gate*>(userdata);
    const auto frames = static_cast<std::size_t>(bytes) / (sizeof(float) * kOutputChannels);
    gate->inside.fetch_add(1);
    if (gate->open.load())
        gate->render(reinterpret_cast<float*>(stream), frames);
    else
        std::memset(stream, 0, static_cast<std::size_t>(bytes));
    gate->inside.fetch_sub(1);
}

// One open SDL device.
class SdlAudioOutput : public AudioOutput
{
public:
    SdlAudioOutput(std::shared_ptr<Gate> gate, SDL_AudioDeviceID device)
        : m_gate(std::move(gate)), m_device(device)
    {
    }
    SdlAudioOutput(const SdlAudioOutput&) = delete;
    SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

    ~SdlAudioOutput() override
    {
        // Close the gate, then wait for a callback under way to leave: it only copies.
        m_gate->open.store(false);
        while (m_gate->inside.load() != 0)
            std::this_thread::yield();

        struct Closing
        {
            std::mutex mutex;
            std::condition_variable changed;
            bool done = false;
        };
        auto closing = std::make_shared<Closing>();
        std::thread([closing, gate = m_gate, device = m_device] {
            SDL_CloseAudioDevice(device);
            {
                const std::lock_guard lock(g_driverLock);
                --g_devicesInUse;
            }
            const std::lock_guard lock(closing->mutex);
            closing->done = true;
            closing->changed.notify_all();
        }).detach();
        std::unique_lock lock(closing->mutex);
        closing->changed.wait_for(lock, kCloseWait, [&] { return closing->done; });
    }

    std::string description() const override
    {
        const std::lock_guard lock(g_driverLock);
        const char* driver = SDL_GetCurrentAudioDriver();
        return std::string("SDL audio (") + (driver != nullptr ? driver : "?") + ")";
    }

    bool lost() const override { return SDL_GetAudioDeviceStatus(m_device) == SDL_AUDIO_STOPPED; }

private:
    std::shared_ptr<Gate> m_gate;
    SDL_AudioDeviceID m_device;
};

} // namespace

void SdlOutputDevice::prepareEnvironment()
{
    static std::once_flag once;
    std::call_once(
        once, [] { setenv("PULSE_LATENCY_MSEC", std::to_string(kServerBufferMs).c_str(), 0); });
}

SdlOutputDevice::SdlOutputDevice()
{
    prepareEnvironment();
}

std::unique_ptr<AudioOutput> SdlOutputDevice::open(RenderCallback render, bool again,
                                                   std::string& error)
{
    const std::lock_guard lock(g_driverLock);
    if (!loadAndStartDriver(again, error))
        return nullptr;
    if (std::strcmp(SDL_GetCurrentAudioDriver(), "dummy") == 0) {
        error = "SDL's dummy driver, which keeps no time";
        return nullptr;
    }
    auto gate = std::make_shared<Gate>(std::move(render));
    SDL_AudioSpec wanted{};
    wanted.freq = kOutputRate;
    wanted.format = AUDIO_F32SYS;
    wanted.channels = kOutputChannels;
    wanted.samples = AudioOutput::kPeriodFrames;
    wanted.callback = &callback;
    wanted.userdata = gate.get();
    SDL_AudioSpec obtained{};
    // SDL converts from float stereo at this rate and period to whatever the device takes.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device == 0) {
        error = SDL_GetError();
        return nullptr;
    }
    ++g_devicesInUse;
    SDL_PauseAudioDevice(device, 0);
    return std::make_unique<SdlAudioOutput>(std::move(gate), device);
}

void SdlOutputDevice::prepare()
{
    const std::lock_guard lock(g_driverLock);
    std::string error;
    loadAndStartDriver(false, error); // a failure shows when a stream is opened
}

bool SdlOutputDevice::mayAppear() const
{
    const char* chosen = std::getenv("SDL_AUDIODRIVER");
    return chosen == nullptr || std::strcmp(chosen, "dummy") != 0;
}

void SdlOutputDevice::release()
{
    const std::lock_guard lock(g_driverLock);
    if (g_devicesInUse == 0 && sdlLibrary().loaded() && SDL_GetCurrentAudioDriver() != nullptr)
        SDL_AudioQuit();
}

} // namespace orvane
