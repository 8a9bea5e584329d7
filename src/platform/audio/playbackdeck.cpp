#include "platform/audio/playbackdeck.h"

#include "platform/audio/audiosource.h"
#include "platform/audio/outputformat.h"

#include <SDL.h>
#include <algorithm>
#include <array>
#include <malloc.h>

namespace orvane {

namespace {

// Room for what is rendered ahead, and as much again for what a cut has left in it.
constexpr std::size_t kRingFrames = 16384;
constexpr std::size_t kChunkFrames =
    600; // what the worker renders between two looks at its commands

} // namespace

std::shared_ptr<PlaybackDeck> PlaybackDeck::create(Events events)
{
    std::shared_ptr<PlaybackDeck> deck(new PlaybackDeck(std::move(events)));
    // The worker holds the deck too: if it is left busy at the end, nothing it uses goes away.
    deck->m_worker = std::thread([deck] { deck->run(); });
    return deck;
}

PlaybackDeck::PlaybackDeck(Events events)
    : m_events(std::move(events)), m_ring(kRingFrames * kOutputChannels)
{
}

PlaybackDeck::~PlaybackDeck()
{
    if (m_worker.joinable())
        m_worker.detach(); // only the worker itself can hold the last reference
}

std::uint64_t PlaybackDeck::play(std::shared_ptr<AudioSource> source, bool cut)
{
    const std::uint64_t playback = ++m_lastPlayback;
    Command command{std::move(source), playback, 0};
    if (cut)
        command.cut = m_cutsRequested.fetch_add(1, std::memory_order_acq_rel) + 1;
    m_tail.store(!cut && m_tail.load());
    m_live.store(true);
    m_paused.store(false);
    send(std::move(command));
    return playback;
}

void PlaybackDeck::cut()
{
    const std::uint64_t cut = m_cutsRequested.fetch_add(1, std::memory_order_acq_rel) + 1;
    m_live.store(false);
    m_tail.store(false);
    m_paused.store(false);
    send(Command{nullptr, 0, cut});
}

void PlaybackDeck::setPaused(bool paused)
{
    m_paused.store(paused);
}

void PlaybackDeck::letTailPlay()
{
    m_tail.store(true);
    m_live.store(false);
}

void PlaybackDeck::retire(std::shared_ptr<AudioSource> source)
{
    if (source)
        send(Command{std::move(source), 0, 0});
}

std::uint64_t PlaybackDeck::framesPlayed(std::uint64_t playback) const
{
    if (playback == 0 || m_startedPlayback.load(std::memory_order_acquire) != playback)
        return 0;
    const std::uint64_t start = m_startFrame.load(std::memory_order_relaxed);
    const std::uint64_t heard = framesHeard();
    return heard > start ? heard - start : 0;
}

std::uint64_t PlaybackDeck::framesHeard() const
{
    std::uint64_t sequence = 0;
    std::uint64_t start = 0;
    std::uint64_t frames = 0;
    std::int64_t time = 0;
    do {
        sequence = m_callbackSequence.load(std::memory_order_acquire);
        start = m_callbackStart.load(std::memory_order_relaxed);
        frames = m_callbackFrames.load(std::memory_order_relaxed);
        time = m_callbackTime.load(std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_acquire);
    } while ((sequence & 1) != 0 || sequence != m_callbackSequence.load(std::memory_order_relaxed));
    if (m_paused.load())
        return start + frames; // what is in flight plays out; the position stands from now on
    const std::int64_t elapsed = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count() -
                                 time;
    const auto played =
        static_cast<std::uint64_t>(std::max<std::int64_t>(elapsed, 0) * kOutputRate / 1000000000);
    return start + std::min(frames, played);
}

void PlaybackDeck::noteCallback(std::uint64_t framesBefore, std::size_t frames)
{
    const std::int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                 std::chrono::steady_clock::now().time_since_epoch())
                                 .count();
    const std::uint64_t sequence = m_callbackSequence.load(std::memory_order_relaxed);
    m_callbackSequence.store(sequence + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    m_callbackStart.store(framesBefore, std::memory_order_relaxed);
    m_callbackFrames.store(frames, std::memory_order_relaxed);
    m_callbackTime.store(now, std::memory_order_relaxed);
    m_callbackSequence.store(sequence + 2, std::memory_order_release);
}

bool PlaybackDeck::needsOutput() const
{
    if (m_paused.load())
        return false;
    return m_live.load() || (m_tail.load() && m_ring.available() > 0);
}

bool PlaybackDeck::stop(std::chrono::milliseconds bound)
{
    std::unique_lock lock(m_mutex);
    m_stopping = true;
    lock.unlock();
    wake();
    lock.lock();
    const bool ended = m_workerEndedChanged.wait_for(lock, bound, [this] { return m_workerEnded; });
    lock.unlock();
    {
        // Whatever the worker still does, it tells no one any more.
        const std::lock_guard told(m_eventsMutex);
        m_eventsDetached = true;
    }
    if (!ended)
        return false;
    if (m_worker.joinable() && m_worker.get_id() != std::this_thread::get_id())
        m_worker.join();
    return true;
}

void PlaybackDeck::tell(const std::function<void()>& event)
{
    const std::lock_guard lock(m_eventsMutex);
    if (!m_eventsDetached)
        event();
}

void PlaybackDeck::send(Command command)
{
    {
        const std::lock_guard lock(m_mutex);
        m_commands.push_back(std::move(command));
        m_commandsWaiting.store(true);
    }
    wake();
}

void PlaybackDeck::wake()
{
    if (!m_wakeupPending.exchange(true, std::memory_order_acq_rel))
        m_wakeup.release();
}

void PlaybackDeck::run()
{
    // Where the system grants it, rendering comes before ordinary work.
    SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH);
    std::vector<Command> commands;
    for (;;) {
        {
            std::unique_lock lock(m_mutex);
            if (m_stopping)
                break;
            commands.swap(m_commands);
            m_commandsWaiting.store(false);
        }
        for (Command& command : commands)
            carryOut(command);
        const bool hadCommands = !commands.empty();
        commands.clear();
        renderAhead();
        if (m_trimWanted && !hadCommands) {
            // What a large file took goes back to the system, once the ring is full so that
            // it holds up no start.
            malloc_trim(0);
            m_trimWanted = false;
        }
        if (!hadCommands) {
            m_wakeup.acquire();
            m_wakeupPending.store(false, std::memory_order_release);
        }
    }
    m_current.reset();
    m_rendering.store(false);
    std::unique_lock lock(m_mutex);
    commands.swap(m_commands);
    lock.unlock();
    commands.clear(); // sources still handed over are destroyed here, off the GUI thread
    lock.lock();
    m_workerEnded = true;
    m_workerEndedChanged.notify_all();
}

void PlaybackDeck::carryOut(Command& command)
{
    if (command.cut != 0) {
        m_current.reset();
        m_rendering.store(false);
        m_limiter.reset();
        // Everything written so far is to be dropped: first say up to where, then that it is done.
        m_cutAt.store(m_ring.totalWritten() / kOutputChannels, std::memory_order_release);
        m_cutsDone.store(command.cut, std::memory_order_release);
    }
    if (command.playback == 0) {
        if (command.source) {
            command.source.reset(); // destroyed here when this was the last hold on it
            m_trimWanted = true;
        }
        return;
    }
    m_current = std::move(command.source);
    m_currentPlayback = command.playback;
    std::string error;
    if (!m_current->start(error)) {
        m_current.reset();
        m_rendering.store(false);
        tell([&] { m_events.failed(command.playback, error); });
        return;
    }
    m_startFrame.store(m_ring.totalWritten() / kOutputChannels, std::memory_order_relaxed);
    m_startedPlayback.store(command.playback, std::memory_order_release);
    m_rendering.store(true);
}

void PlaybackDeck::renderAhead()
{
    std::array<float, kChunkFrames * kOutputChannels> chunk{};
    while (m_current && !m_commandsWaiting.load()) {
        // Frames before the latest cut are still in the ring until the output drops them, but
        // they are not ahead of anything.
        const std::uint64_t written = m_ring.totalWritten() / kOutputChannels;
        const std::uint64_t live = std::max(m_ring.totalRead() / kOutputChannels,
                                            m_cutAt.load(std::memory_order_relaxed));
        const std::uint64_t queued = written - std::min(written, live);
        const std::size_t room = m_ring.space() / kOutputChannels;
        if (queued >= kAheadFrames || room < kChunkFrames)
            return;
        const std::size_t frames = m_current->render(chunk.data(), kChunkFrames);
        m_limiter.process(chunk.data(), frames);
        m_ring.write(chunk.data(), frames * kOutputChannels);
        if (m_current->finished()) {
            m_current.reset();
            m_rendering.store(false);
            tell([&] { m_events.ended(m_currentPlayback); });
        }
    }
}

void PlaybackDeck::pull(float* out, std::size_t frames)
{
    const std::size_t samples = frames * kOutputChannels;
    // One reader at a time, should two outputs overlap while one takes over from the other.
    if (m_reading.test_and_set(std::memory_order_acquire)) {
        std::fill_n(out, samples, 0.0f);
        return;
    }
    // Drop what a cut has made stale. Reading the write count before the count of cuts done
    // keeps this from dropping frames written after the latest cut.
    const std::uint64_t written = m_ring.totalWritten();
    const std::uint64_t done = m_cutsDone.load(std::memory_order_acquire);
    if (done != m_cutsRequested.load(std::memory_order_acquire)) {
        m_ring.discard(static_cast<std::size_t>(written - m_ring.totalRead()));
        m_flowing = false;
    } else {
        const std::uint64_t cutAt = m_cutAt.load(std::memory_order_acquire) * kOutputChannels;
        const std::uint64_t read = m_ring.totalRead();
        if (read < cutAt)
            m_ring.discard(static_cast<std::size_t>(cutAt - read));
    }

    std::size_t got = 0;
    const std::uint64_t before = m_ring.totalRead() / kOutputChannels;
    const bool more = m_rendering.load(std::memory_order_acquire);
    // Start only with a whole callback's worth, so that a start is never followed by a gap.
    if (!m_paused.load(std::memory_order_relaxed) &&
        (m_flowing || m_ring.available() >= samples || !more))
        got = m_ring.read(out, samples);
    std::fill(out + got, out + samples, 0.0f);
    if (m_flowing && got < samples && more)
        m_dropouts.fetch_add(1, std::memory_order_relaxed);
    m_flowing = got == samples;
    noteCallback(before, got / kOutputChannels);
    m_reading.clear(std::memory_order_release);
    if (m_ring.available() / kOutputChannels < kRefillFrames)
        wake();
}

} // namespace orvane
