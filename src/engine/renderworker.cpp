#include "engine/renderworker.h"

#include "engine/audiolibraries.h"
#include "engine/audiosource.h"
#include "engine/outputformat.h"
#include "engine/playbackledger.h"

#include <SDL.h>
#include <algorithm>
#include <array>
#include <malloc.h>
#include <utility>

namespace orvane {

namespace {

// What the worker renders between two looks at its commands.
constexpr std::size_t kChunkFrames = 600;

} // namespace

RenderWorker::RenderWorker(RingWriter writer, PlaybackLedger& ledger, Events events, Mode mode)
    : m_writer(std::move(writer)), m_ledger(ledger), m_events(std::move(events)), m_mode(mode)
{
}

RenderWorker::~RenderWorker()
{
    if (m_thread.joinable())
        m_thread.detach(); // only the thread itself can hold the last reference
}

void RenderWorker::start(std::shared_ptr<void> keepAlive)
{
    if (m_mode == Mode::OwnThread)
        m_thread = std::thread([this, keepAlive = std::move(keepAlive)] { run(); });
}

void RenderWorker::send(Command command)
{
    {
        const std::lock_guard lock(m_mutex);
        m_commands.push_back(std::move(command));
        m_commandsWaiting.store(true);
    }
    wake();
}

void RenderWorker::wake()
{
    if (m_mode == Mode::Inline) {
        runInline();
        return;
    }
    if (!m_wakeupPending.exchange(true, std::memory_order_acq_rel))
        m_wakeup.release();
}

bool RenderWorker::stop(std::chrono::milliseconds bound)
{
    std::unique_lock lock(m_mutex);
    m_stopping = true;
    const bool threaded = m_thread.joinable();
    lock.unlock();
    bool ended = true;
    if (threaded) {
        wake();
        lock.lock();
        ended = m_endedChanged.wait_for(lock, bound, [this] { return m_ended; });
        lock.unlock();
    }
    {
        // Whatever the worker still does, it tells no one any more.
        const std::lock_guard told(m_eventsMutex);
        m_eventsDetached = true;
    }
    if (!ended)
        return false;
    if (threaded && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
    return true;
}

void RenderWorker::tell(const std::function<void()>& event)
{
    const std::lock_guard lock(m_eventsMutex);
    if (!m_eventsDetached)
        event();
}

bool RenderWorker::turn()
{
    std::vector<Command> commands;
    {
        const std::lock_guard lock(m_mutex);
        commands.swap(m_commands);
        m_commandsWaiting.store(false);
    }
    for (Command& command : commands)
        carryOut(command);
    const bool hadCommands = !commands.empty();
    commands.clear(); // sources retired are destroyed here, off the owner's thread
    renderAhead();
    if (m_trimWanted && !hadCommands) {
        // What a large file took goes back to the system, once the ring is full so that it
        // holds up no start.
        malloc_trim(0);
        m_trimWanted = false;
    }
    return hadCommands;
}

void RenderWorker::runInline()
{
    if (m_inTurn) {
        m_turnAgain = true;
        return;
    }
    m_inTurn = true;
    do {
        m_turnAgain = turn();
    } while (m_turnAgain);
    m_inTurn = false;
}

void RenderWorker::run()
{
    bool raised = false;
    for (;;) {
        {
            const std::lock_guard lock(m_mutex);
            if (m_stopping)
                break;
        }
        const bool busy = turn();
        // Where the system grants it, rendering comes before ordinary work: asked once there is
        // work, so that a player that plays nothing never loads SDL.
        if (busy && !std::exchange(raised, true) && sdlLibrary().load())
            SDL_SetThreadPriority(SDL_THREAD_PRIORITY_HIGH);
        if (!busy) {
            m_wakeup.acquire();
            m_wakeupPending.store(false, std::memory_order_release);
        }
    }
    m_current.reset();
    m_rendering.store(false);
    std::unique_lock lock(m_mutex);
    std::vector<Command> left;
    left.swap(m_commands);
    lock.unlock();
    left.clear(); // sources still handed over are destroyed here, off the owner's thread
    lock.lock();
    m_ended = true;
    m_endedChanged.notify_all();
}

void RenderWorker::carryOut(Command& command)
{
    if (command.cut != 0) {
        m_current.reset();
        m_rendering.store(false);
        m_limiter.reset();
        m_ledger.cutCarriedOut(command.cut, m_writer.totalWritten() / kOutputChannels);
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
    m_ledger.playbackStarted(command.playback, m_writer.totalWritten() / kOutputChannels);
    m_rendering.store(true);
}

void RenderWorker::renderAhead()
{
    std::array<float, kChunkFrames * kOutputChannels> chunk{};
    while (m_current && !m_commandsWaiting.load()) {
        // Frames before the latest cut are still in the ring until the output drops them, but
        // they are not ahead of anything.
        const std::uint64_t written = m_writer.totalWritten() / kOutputChannels;
        const std::uint64_t live =
            std::max(m_writer.totalRead() / kOutputChannels, m_ledger.lastCutFrame());
        const std::uint64_t queued = written - std::min(written, live);
        const std::size_t room = m_writer.space() / kOutputChannels;
        if (queued >= kAheadFrames || room < kChunkFrames)
            return;
        const std::size_t frames = m_current->render(chunk.data(), kChunkFrames);
        m_limiter.process(chunk.data(), frames);
        m_writer.write(chunk.data(), frames * kOutputChannels);
        if (m_current->finished()) {
            m_current.reset();
            m_rendering.store(false);
            tell([&] { m_events.ended(m_currentPlayback); });
        }
    }
}

} // namespace orvane
