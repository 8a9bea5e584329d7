#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace orvane {

// The storage and counts that a ring's two handles share.
struct SampleRingState
{
    explicit SampleRingState(std::size_t capacity) : samples(capacity) {}

    std::vector<float> samples;
    std::atomic<std::uint64_t> written{0};
    std::atomic<std::uint64_t> read{0};
};

// The writing end of a sample ring: one thread writes through it.
class RingWriter
{
public:
    explicit RingWriter(std::shared_ptr<SampleRingState> state) : m_state(std::move(state)) {}

    // Appends up to `count` samples; how many fitted.
    std::size_t write(const float* samples, std::size_t count);
    // Room left for writing.
    std::size_t space() const;
    // Samples written since the ring was made.
    std::uint64_t totalWritten() const;
    // Samples read or dropped by the reader since the ring was made.
    std::uint64_t totalRead() const;

private:
    std::shared_ptr<SampleRingState> m_state;
};

// The reading end of a sample ring: one thread reads through it.
class RingReader
{
public:
    explicit RingReader(std::shared_ptr<SampleRingState> state) : m_state(std::move(state)) {}

    // Takes up to `count` samples in the order written; how many there were.
    std::size_t read(float* out, std::size_t count);
    // Drops up to `count` samples unread; how many there were.
    std::size_t discard(std::size_t count);
    // Samples waiting to be read.
    std::size_t available() const;
    // Samples written since the ring was made.
    std::uint64_t totalWritten() const;
    // Samples read or dropped since the ring was made.
    std::uint64_t totalRead() const;

private:
    std::shared_ptr<SampleRingState> m_state;
};

// A fixed ring of float samples between one writing and one reading thread, without locks or
// allocation after it is made: its two ends.
struct SampleRing
{
    RingWriter writer;
    RingReader reader;
};

// A ring of `capacity` samples.
SampleRing makeSampleRing(std::size_t capacity);

} // namespace orvane
