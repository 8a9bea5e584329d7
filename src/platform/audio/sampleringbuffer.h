#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvane {

// A fixed ring of float samples between one writing thread and one reading thread, without
// locks or allocation after construction.
class SampleRingBuffer
{
public:
    explicit SampleRingBuffer(std::size_t capacity);

    // Writer: appends up to `count` samples; returns how many fitted.
    std::size_t write(const float* samples, std::size_t count);
    // Reader: takes up to `count` samples; returns how many there were.
    std::size_t read(float* samples, std::size_t count);
    // Reader: drops up to `count` samples unread; returns how many there were.
    std::size_t discard(std::size_t count);
    // Samples waiting to be read.
    std::size_t available() const;
    // Room left for the writer.
    std::size_t space() const;
    // Samples written, and read or dropped, since construction.
    std::uint64_t totalWritten() const { return m_written.load(std::memory_order_acquire); }
    std::uint64_t totalRead() const { return m_read.load(std::memory_order_acquire); }

private:
    std::vector<float> m_samples;
    std::atomic<std::uint64_t> m_written{0};
    std::atomic<std::uint64_t> m_read{0};
};

} // namespace orvane
