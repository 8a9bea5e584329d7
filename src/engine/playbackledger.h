#pragma once

#include <atomic>
#include <cstdint>

namespace orvane {

// The playbacks and cuts along the stream of frames that the worker writes and the output
// reads, counted from the stream's first frame. The owner numbers each playback and asks for
// cuts, which are in force at once; the worker notes where in the stream it starts a playback
// and where it carried out the latest cut; from these the output knows which written frames
// are stale, and anyone how much of a playback has been heard. Lock-free.
class PlaybackLedger
{
public:
    // What the output may play of the stream written so far.
    struct Playable
    {
        std::uint64_t from; // the first frame not made stale by a cut
        bool cutPending;    // a cut is asked for and not yet carried out: nothing written counts
    };

    // Owner: the number of a new playback, never 0.
    std::uint64_t newPlayback() { return ++m_lastPlayback; }
    // Owner: the number of a new cut, in force from now on: whatever is written until the
    // worker carries it out is stale.
    std::uint64_t requestCut();

    // Worker: cut `cut` is carried out, and the stream's frames before `frame` are stale.
    void cutCarriedOut(std::uint64_t cut, std::uint64_t frame);
    // Worker: playback `playback` starts at stream frame `frame`.
    void playbackStarted(std::uint64_t playback, std::uint64_t frame);
    // Worker: where the latest cut carried out falls.
    std::uint64_t lastCutFrame() const { return m_cutAt.load(std::memory_order_acquire); }

    // Output: what of the stream may be played, given `writtenFrames` read just before: frames
    // written after that may already belong to a cut carried out since.
    Playable playable(std::uint64_t writtenFrames) const;

    // Any thread: the frames of `playback` among the first `heardFrames` of the stream; 0 for a
    // playback that has not started or has been followed by another.
    std::uint64_t framesOf(std::uint64_t playback, std::uint64_t heardFrames) const;

private:
    std::uint64_t m_lastPlayback = 0; // owner only
    std::atomic<std::uint64_t> m_cutsRequested{0};
    std::atomic<std::uint64_t> m_cutsDone{0};
    std::atomic<std::uint64_t> m_cutAt{0};
    std::atomic<std::uint64_t> m_startedPlayback{0};
    std::atomic<std::uint64_t> m_startFrame{0};
};

} // namespace orvane
