#pragma once

#include "engine/outputlimiter.h"
#include "engine/samplering.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <semaphore>
#include <string>
#include <thread>
#include <vector>

namespace orvane {

class AudioSource;
class PlaybackLedger;

// The worker between the owner and the output: it carries out the owner's commands in order
// (cut, start a source, retire one) and renders the source under way through the output
// limiter into the ring, a little ahead of the output, one source after another. It gets its
// turns on a thread of its own or, for tests that drive it frame by frame, inline in the
// caller's.
class RenderWorker
{
public:
    enum class Mode { OwnThread, Inline };

    // Frames rendered ahead of the output: 200 ms, of which the worker is woken to render again
    // once less than half is left, so that it is never needed on short notice.
    static constexpr std::size_t kAheadFrames = 9600;
    static constexpr std::size_t kRefillFrames = kAheadFrames / 2;

    struct Command
    {
        std::shared_ptr<AudioSource> source; // to start, or to retire when `playback` is 0
        std::uint64_t playback = 0;
        std::uint64_t cut = 0; // the cut carried out first, 0 for none
    };

    struct Events
    {
        // Worker: the last frame of `playback` is in the ring.
        std::function<void(std::uint64_t playback)> ended;
        // Worker: `playback` could not start.
        std::function<void(std::uint64_t playback, const std::string& error)> failed;
    };

    RenderWorker(RingWriter writer, PlaybackLedger& ledger, Events events, Mode mode);
    ~RenderWorker();
    RenderWorker(const RenderWorker&) = delete;
    RenderWorker& operator=(const RenderWorker&) = delete;

    // With its own thread: starts it; the thread holds `keepAlive` until it ends.
    void start(std::shared_ptr<void> keepAlive);
    // Owner: queues `command` and wakes the worker.
    void send(Command command);
    // Any thread: there may be work, commands or room in the ring.
    void wake();
    // Any thread: true while a source is being rendered.
    bool rendering() const { return m_rendering.load(std::memory_order_acquire); }
    // Owner: ends the worker, waiting at most `bound`; false when it was still busy (it is then
    // left to end by itself). No event comes after this returns.
    bool stop(std::chrono::milliseconds bound);

private:
    // One turn: the waiting commands, then rendering ahead; true when there were commands.
    bool turn();
    void run();
    void runInline();
    void carryOut(Command& command);
    void renderAhead();
    void tell(const std::function<void()>& event);

    RingWriter m_writer;
    PlaybackLedger& m_ledger;
    Events m_events;
    const Mode m_mode;
    OutputLimiter m_limiter;

    // Owner to worker.
    std::mutex m_mutex;
    std::vector<Command> m_commands;
    std::atomic<bool> m_commandsWaiting{false};
    std::binary_semaphore m_wakeup{0};
    std::atomic<bool> m_wakeupPending{false};
    bool m_stopping = false;
    bool m_ended = false;
    std::condition_variable m_endedChanged;
    std::thread m_thread;

    // Events stop once the worker is stopped, even if it is still busy then.
    std::mutex m_eventsMutex;
    bool m_eventsDetached = false;

    // Worker only.
    std::shared_ptr<AudioSource> m_current;
    std::uint64_t m_currentPlayback = 0;
    bool m_trimWanted = false;
    bool m_inTurn = false;    // inline: a turn is under way further up the stack
    bool m_turnAgain = false; // inline: woken during it
    std::atomic<bool> m_rendering{false};
};

} // namespace orvane
