#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace orvane {

// How far the output has played the stream: the output notes each buffer it takes, and anyone
// may ask how many of the stream's frames have been heard by a given time. A buffer is taken
// to be heard from the moment it is taken, at the output rate; only frames the output took
// count. Lock-free: a sequence count guards the three numbers of the latest buffer.
class PositionClock
{
public:
    // Output: `frames` frames were taken at `nowNs` (steady clock), after `framesBefore` frames
    // of the stream.
    void noteBuffer(std::uint64_t framesBefore, std::size_t frames, std::int64_t nowNs);
    // Any thread: the frames of the stream heard by `nowNs`: those before the latest buffer and
    // as much of it as the time since covers; while `paused`, what was in flight counts as
    // played and the count stands.
    std::uint64_t framesHeard(std::int64_t nowNs, bool paused) const;

private:
    std::atomic<std::uint64_t> m_sequence{0};
    std::atomic<std::uint64_t> m_framesBefore{0};
    std::atomic<std::uint64_t> m_frames{0};
    std::atomic<std::int64_t> m_takenAt{0};
};

} // namespace orvane
