#pragma once

#include "platform/audio/outputlimiter.h"
#include "platform/audio/sampleringbuffer.h"

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

// The stretch between the GUI thread and the output. A worker thread starts and renders the
// sources it is handed, one after another, through the output limiter into a lock-free ring
// that it keeps a little ahead of the output; the output's callback only copies from the ring.
// A source that follows one that ended by itself starts on the very next frame.
//
// Frames are counted along the stream from its first: a playback's position is the number of
// its frames the output has taken. The GUI thread never waits for the worker: a cut drops
// what is rendered but not yet played at the output's next callback, whatever the worker does.
class PlaybackDeck : public std::enable_shared_from_this<PlaybackDeck>
{
public:
    // Frames the worker renders ahead of the output: 200 ms, of which it is woken to render
    // again once less than half is left, so that it is never needed on short notice.
    static constexpr std::size_t kAheadFrames = 9600;
    static constexpr std::size_t kRefillFrames = kAheadFrames / 2;

    struct Events
    {
        // Worker: the last frame of `playback` is in the ring.
        std::function<void(std::uint64_t playback)> ended;
        // Worker: `playback` could not start.
        std::function<void(std::uint64_t playback, const std::string& error)> failed;
    };

    // A deck with its worker running.
    static std::shared_ptr<PlaybackDeck> create(Events events);
    ~PlaybackDeck();
    PlaybackDeck(const PlaybackDeck&) = delete;
    PlaybackDeck& operator=(const PlaybackDeck&) = delete;

    // GUI thread: plays `source` from its beginning, after what is already in the ring, or
    // instead of it when `cut`; returns the number of this playback (never 0).
    std::uint64_t play(std::shared_ptr<AudioSource> source, bool cut);
    // GUI thread: ends the playback under way and drops whatever of it is not yet played.
    void cut();
    // GUI thread: holds the output on silence, or lets it go on.
    void setPaused(bool paused);
    // GUI thread: the playback has ended by itself: what is left of it in the ring plays out.
    void letTailPlay();
    // GUI thread: hands over a source that is closed, to be destroyed off the GUI thread.
    void retire(std::shared_ptr<AudioSource> source);
    // Frames of `playback` heard so far: those the output has taken, less what of its latest
    // buffer is still to be played by the clock.
    std::uint64_t framesPlayed(std::uint64_t playback) const;
    // True while there is sound for the output to play: a playback under way and not paused,
    // or the rest of one that has ended.
    bool needsOutput() const;
    // Times the output ran dry in the middle of a playback.
    std::uint64_t dropouts() const { return m_dropouts.load(std::memory_order_relaxed); }
    // GUI thread: ends the worker, waiting at most `bound`; false when it was still busy (it
    // is then left to end by itself). No event comes after this returns.
    bool stop(std::chrono::milliseconds bound);

    // Output thread: fills `frames` frames of interleaved stereo.
    void pull(float* out, std::size_t frames);

private:
    struct Command
    {
        std::shared_ptr<AudioSource> source; // to play, or to retire when `playback` is 0
        std::uint64_t playback = 0;
        std::uint64_t cut = 0; // the cut that comes first, 0 for none
    };

    explicit PlaybackDeck(Events events);
    void send(Command command);
    void tell(const std::function<void()>& event);
    void wake();
    void run();
    void carryOut(Command& command);
    void renderAhead();
    void noteCallback(std::uint64_t framesBefore, std::size_t frames);
    std::uint64_t framesHeard() const;

    Events m_events;
    SampleRingBuffer m_ring;
    OutputLimiter m_limiter;

    // GUI thread to worker.
    std::mutex m_mutex;
    std::vector<Command> m_commands;
    std::atomic<bool> m_commandsWaiting{false};
    std::binary_semaphore m_wakeup{0};
    std::atomic<bool> m_wakeupPending{false};
    bool m_stopping = false;
    bool m_workerEnded = false;
    std::condition_variable m_workerEndedChanged;
    std::thread m_worker;

    // Events stop once the deck is stopped, even if the worker is still busy then.
    std::mutex m_eventsMutex;
    bool m_eventsDetached = false;

    // GUI thread only.
    std::uint64_t m_lastPlayback = 0;

    // Worker only.
    std::shared_ptr<AudioSource> m_current;
    std::uint64_t m_currentPlayback = 0;
    bool m_trimWanted = false;

    // Shared, lock-free.
    std::atomic<std::uint64_t> m_cutsRequested{0}; // GUI: raised at once on every cut
    std::atomic<std::uint64_t> m_cutsDone{0};      // worker: the cuts it has carried out
    std::atomic<std::uint64_t> m_cutAt{0};         // worker: stream frame of the latest cut
    std::atomic<std::uint64_t> m_startedPlayback{0};
    std::atomic<std::uint64_t> m_startFrame{0};
    std::atomic<bool> m_rendering{false}; // worker has a source to render
    std::atomic<bool> m_live{false};      // GUI: a playback is wanted
    std::atomic<bool> m_tail{false};      // GUI: the rest of an ended playback is wanted
    std::atomic<bool> m_paused{false};
    std::atomic_flag m_reading = ATOMIC_FLAG_INIT;
    std::atomic<std::uint64_t> m_dropouts{0};
    // The latest callback, under a sequence count: the stream frames before it, the frames it
    // took and when (steady clock, ns).
    std::atomic<std::uint64_t> m_callbackSequence{0};
    std::atomic<std::uint64_t> m_callbackStart{0};
    std::atomic<std::uint64_t> m_callbackFrames{0};
    std::atomic<std::int64_t> m_callbackTime{0};
    bool m_flowing = false; // output thread: the last callback played sound
};

} // namespace orvane
