#include "platform/audio/outputkeeper.h"

#include "platform/audio/audiolog.h"
#include "platform/audio/outputformat.h"
#include "platform/audio/playbackdeck.h"
#include "platform/audio/sdlaudiooutput.h"
#include "platform/audio/silentaudiooutput.h"

#include <SDL.h>
#include <algorithm>

namespace orvane {

namespace {

constexpr int kSilent = 1;
constexpr int kDevice = 2;
// How often the device is looked at while it plays, and tried while it is missing.
constexpr auto kLookInterval = std::chrono::milliseconds(200);
constexpr auto kRetryInterval = std::chrono::seconds(1);
// How long an output stays open with nothing to play, so that a pause or a stop and play
// again do not close and reopen it.
constexpr auto kIdleGrace = std::chrono::seconds(1);

} // namespace

std::shared_ptr<OutputKeeper> OutputKeeper::create(std::shared_ptr<PlaybackDeck> deck, Kind kind,
                                                   OutputTap tap, Notice notice)
{
    std::shared_ptr<OutputKeeper> keeper(
        new OutputKeeper(std::move(deck), kind, std::move(tap), std::move(notice)));
    // The thread holds the keeper too: if it is left waiting on a server at the end, nothing
    // it uses goes away.
    keeper->m_thread = std::thread([keeper] { keeper->run(); });
    return keeper;
}

OutputKeeper::OutputKeeper(std::shared_ptr<PlaybackDeck> deck, Kind kind, OutputTap tap,
                           Notice notice)
    : m_deck(std::move(deck)), m_kind(kind), m_tap(std::move(tap)), m_notice(std::move(notice))
{
}

OutputKeeper::~OutputKeeper()
{
    if (m_thread.joinable())
        m_thread.detach(); // only the thread itself can hold the last reference
}

void OutputKeeper::wake()
{
    const std::lock_guard lock(m_mutex);
    m_woken = true;
    m_changed.notify_all();
}

std::string OutputKeeper::waitForFirstOutput()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_firstOutput.empty(); });
    return m_firstOutput;
}

bool OutputKeeper::stop(std::chrono::milliseconds bound)
{
    std::unique_lock lock(m_mutex);
    m_stopping = true;
    m_changed.notify_all();
    const bool ended = m_changed.wait_for(lock, bound, [this] { return m_ended; });
    // Whatever the thread still does, it calls neither the notice nor the tap any more; a tap
    // under way (it never blocks) is waited for.
    m_detached.store(true);
    lock.unlock();
    while (m_inTap.load() != 0)
        std::this_thread::yield();
    if (!ended)
        return false;
    if (m_thread.joinable())
        m_thread.join();
    return true;
}

AudioOutput::Render OutputKeeper::renderFor(int output)
{
    // Only the output in charge takes from the deck; another one still running plays silence.
    return [this, output](float* out, std::size_t frames) {
        if (m_active.load(std::memory_order_acquire) != output) {
            std::fill_n(out, frames * kOutputChannels, 0.0f);
            return;
        }
        m_deck->pull(out, frames);
        if (m_tap) {
            m_inTap.fetch_add(1);
            if (!m_detached.load())
                m_tap(out, frames);
            m_inTap.fetch_sub(1);
        }
    };
}

bool OutputKeeper::tryDevice(bool again)
{
    m_lastTry = std::chrono::steady_clock::now();
    std::string error;
    m_device = SdlAudioOutput::open(renderFor(kDevice), again, error);
    if (!m_device) {
        if (!m_deviceFailed)
            reportAudioProblem("no audio output device (" + error +
                               "); playing to a silent sink instead");
        m_deviceFailed = true;
        return false;
    }
    m_deviceFailed = false;
    m_active.store(kDevice, std::memory_order_release);
    return true;
}

void OutputKeeper::startSilent()
{
    m_active.store(kSilent, std::memory_order_release);
    m_silent = std::make_unique<SilentAudioOutput>(renderFor(kSilent));
}

void OutputKeeper::run()
{
    // Where the system grants it. The threads started from here inherit it: the silent sink's,
    // and the main loop of SDL's PulseAudio driver, which passes the server's requests for
    // sound on to SDL's own (real-time) thread.
    SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH);
    if (m_kind == Kind::Device)
        tryDevice(false);
    {
        const std::lock_guard lock(m_mutex);
        m_firstOutput = m_device ? m_device->description() : SilentAudioOutput::kDescription;
        m_changed.notify_all();
    }
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        m_woken = false;
        lock.unlock();
        const bool wanted = m_deck->needsOutput();
        keep(wanted, std::chrono::steady_clock::now());
        const bool open = m_device || m_silent;
        lock.lock();
        if (m_stopping || m_woken)
            continue;
        // Nothing open and nothing to play: sleep until told otherwise, at no cost.
        if (!open && !wanted)
            m_changed.wait(lock, [this] { return m_stopping || m_woken; });
        else
            m_changed.wait_for(lock, kLookInterval, [this] { return m_stopping || m_woken; });
    }
    lock.unlock();
    m_active.store(0);
    m_device.reset();
    m_silent.reset();
    SdlAudioOutput::stopDriver();
    lock.lock();
    m_ended = true;
    m_changed.notify_all();
}

void OutputKeeper::keep(bool wanted, std::chrono::steady_clock::time_point now)
{
    if (m_device && m_device->lost()) {
        reportAudioProblem("the audio device was lost; playing to a silent sink until it is back");
        const std::lock_guard lock(m_mutex);
        if (m_notice && !m_detached.load())
            m_notice("Sound device lost: playing silently until it is back");
        m_deviceFailed = true;
        m_lastTry = now;
        std::unique_ptr<AudioOutput> lost = std::move(m_device);
        if (wanted)
            startSilent(); // before the lost device is closed, which may take a moment
        else
            m_active.store(0, std::memory_order_release);
    }
    if (!wanted) {
        if (!m_device && !m_silent)
            return;
        if (!m_idle) {
            m_idle = true;
            m_idleSince = now;
        } else if (now - m_idleSince >= kIdleGrace) {
            m_active.store(0, std::memory_order_release);
            m_device.reset();
            m_silent.reset();
            m_idle = false;
        }
        return;
    }
    m_idle = false;
    const bool deviceWanted = m_kind == Kind::Device && SdlAudioOutput::deviceMayAppear();
    // While the device is missing, time goes on on the silent sink, also during a retry.
    if (!m_device && !m_silent && (!deviceWanted || m_deviceFailed))
        startSilent();
    if (!m_device && deviceWanted && (!m_deviceFailed || now - m_lastTry >= kRetryInterval))
        tryDevice(m_deviceFailed);
    if (m_device)
        m_silent.reset();
    else if (!m_silent)
        startSilent();
}

} // namespace orvane
