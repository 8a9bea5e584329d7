#include "engine/playbackledger.h"

namespace orvane {

std::uint64_t PlaybackLedger::requestCut()
{
    return m_cutsRequested.fetch_add(1, std::memory_order_acq_rel) + 1;
}

void PlaybackLedger::cutCarriedOut(std::uint64_t cut, std::uint64_t frame)
{
    // First where, then that it is done: an output that sees it done finds the frame.
    m_cutAt.store(frame, std::memory_order_release);
    m_cutsDone.store(cut, std::memory_order_release);
}

void PlaybackLedger::playbackStarted(std::uint64_t playback, std::uint64_t frame)
{
    // A reader that sees the number finds its start frame.
    m_startFrame.store(frame, std::memory_order_relaxed);
    m_startedPlayback.store(playback, std::memory_order_release);
}

PlaybackLedger::Playable PlaybackLedger::playable(std::uint64_t writtenFrames) const
{
    const std::uint64_t done = m_cutsDone.load(std::memory_order_acquire);
    if (done != m_cutsRequested.load(std::memory_order_acquire))
        return {writtenFrames, true};
    return {m_cutAt.load(std::memory_order_acquire), false};
}

std::uint64_t PlaybackLedger::framesOf(std::uint64_t playback, std::uint64_t heardFrames) const
{
    if (playback == 0 || m_startedPlayback.load(std::memory_order_acquire) != playback)
        return 0;
    const std::uint64_t start = m_startFrame.load(std::memory_order_relaxed);
    return heardFrames > start ? heardFrames - start : 0;
}

} // namespace orvane
