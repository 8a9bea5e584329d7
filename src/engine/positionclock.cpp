#include "engine/positionclock.h"

#include "engine/outputformat.h"

#include <algorithm>

namespace orvane {

void PositionClock::noteBuffer(std::uint64_t framesBefore, std::size_t frames, std::int64_t nowNs)
{
    // Odd while the numbers change: a reader then tries again. Each number is stored with
    // release, so a reader that sees a new one sees the odd count before it.
    const std::uint64_t sequence = m_sequence.load(std::memory_order_relaxed);
    m_sequence.store(sequence + 1, std::memory_order_relaxed);
    m_framesBefore.store(framesBefore, std::memory_order_release);
    m_frames.store(frames, std::memory_order_release);
    m_takenAt.store(nowNs, std::memory_order_release);
    m_sequence.store(sequence + 2, std::memory_order_release);
}

std::uint64_t PositionClock::framesHeard(std::int64_t nowNs, bool paused) const
{
    std::uint64_t sequence = 0;
    std::uint64_t before = 0;
    std::uint64_t frames = 0;
    std::int64_t takenAt = 0;
    do {
        // Each number loaded with acquire: the count read after it is no older.
        sequence = m_sequence.load(std::memory_order_acquire);
        before = m_framesBefore.load(std::memory_order_acquire);
        frames = m_frames.load(std::memory_order_acquire);
        takenAt = m_takenAt.load(std::memory_order_acquire);
    } while ((sequence & 1) != 0 || sequence != m_sequence.load(std::memory_order_relaxed));
    if (paused)
        return before + frames;
    const std::int64_t elapsed = std::max<std::int64_t>(nowNs - takenAt, 0);
    const auto played = static_cast<std::uint64_t>(elapsed) * kOutputRate / 1000000000;
    return before + std::min(frames, played);
}

} // namespace orvane
