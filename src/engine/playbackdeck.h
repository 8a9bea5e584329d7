#pragma once

#include "engine/playbackledger.h"
#include "engine/positionclock.h"
#include "engine/renderworker.h"
#include "engine/samplering.h"
#include "engine/soundstream.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

namespace orvane {

class AudioSource;

// The stretch between the owner and the output: the owner hands it sources to play, one after
// another; its worker renders them ahead into a ring (see RenderWorker); the output only
// copies from the ring. A source that follows one that ended by itself starts on the very next
// frame. The owner never waits for the worker: a cut drops what is rendered but not yet played
// at the output's next pull, whatever the worker does. A playback's position is the number of
// its frames the output has taken (see PositionClock).
class PlaybackDeck : public SoundStream, public std::enable_shared_from_this<PlaybackDeck>
{
public:
    using Events = RenderWorker::Events;
    using Mode = RenderWorker::Mode;
    // The steady clock in nanoseconds.
    using Clock = std::function<std::int64_t()>;

    // A deck with its worker running (on a thread of its own unless `mode` is Inline).
    static std::shared_ptr<PlaybackDeck> create(Events events, Mode mode, Clock clock);
    PlaybackDeck(const PlaybackDeck&) = delete;
    PlaybackDeck& operator=(const PlaybackDeck&) = delete;

    // Owner: plays `source` from its beginning, after what is already in the ring, or instead
    // of it when `cut`; the number of this playback (never 0).
    std::uint64_t play(std::shared_ptr<AudioSource> source, bool cut);
    // Owner: ends the playback under way and drops whatever of it is not yet played.
    void cut();
    // Owner: holds the output on silence, or lets it go on.
    void setPaused(bool paused);
    // Owner: the playback has ended by itself: what is left of it in the ring plays out.
    void letTailPlay();
    // Owner: hands over a source that is closed, to be destroyed off the owner's thread.
    void retire(std::shared_ptr<AudioSource> source);
    // Frames of `playback` heard so far.
    std::uint64_t framesPlayed(std::uint64_t playback) const;
    // Times the output ran dry in the middle of a playback.
    std::uint64_t dropouts() const { return m_dropouts.load(std::memory_order_relaxed); }
    // Owner: ends the worker, waiting at most `bound`; false when it was still busy. No event
    // comes after this returns.
    bool stop(std::chrono::milliseconds bound) { return m_worker.stop(bound); }

    // True while there is sound for the output: a playback under way and not paused, or the
    // rest of one that has ended.
    bool needsOutput() const override;
    bool soundReady() const override;
    void pull(float* out, std::size_t frames) override;

private:
    PlaybackDeck(SampleRing ring, Events events, Mode mode, Clock clock);

    PlaybackLedger m_ledger;
    PositionClock m_clock;
    RingReader m_reader;
    RenderWorker m_worker;
    Clock m_now;

    std::atomic<bool> m_live{false}; // owner: a playback is wanted
    std::atomic<bool> m_tail{false}; // owner: the rest of an ended playback is wanted
    std::atomic<bool> m_paused{false};
    std::atomic_flag m_reading = ATOMIC_FLAG_INIT;
    std::atomic<std::uint64_t> m_dropouts{0};
    bool m_flowing = false; // output thread: the last pull played sound
};

} // namespace orvane
