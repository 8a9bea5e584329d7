#include "platform/audio/sampleringbuffer.h"

#include <algorithm>

namespace orvane {

SampleRingBuffer::SampleRingBuffer(std::size_t capacity) : m_samples(capacity) {}

std::size_t SampleRingBuffer::write(const float* samples, std::size_t count)
{
    const std::uint64_t written = m_written.load(std::memory_order_relaxed);
    const std::uint64_t read = m_read.load(std::memory_order_acquire);
    const std::size_t n = std::min<std::size_t>(count, m_samples.size() - (written - read));
    for (std::size_t i = 0; i < n;) {
        const std::size_t at = (written + i) % m_samples.size();
        const std::size_t run = std::min(n - i, m_samples.size() - at);
        std::copy_n(samples + i, run, m_samples.begin() + static_cast<std::ptrdiff_t>(at));
        i += run;
    }
    m_written.store(written + n, std::memory_order_release);
    return n;
}

std::size_t SampleRingBuffer::read(float* samples, std::size_t count)
{
    const std::uint64_t read = m_read.load(std::memory_order_relaxed);
    const std::uint64_t written = m_written.load(std::memory_order_acquire);
    const std::size_t n = std::min<std::size_t>(count, written - read);
    for (std::size_t i = 0; i < n;) {
        const std::size_t at = (read + i) % m_samples.size();
        const std::size_t run = std::min(n - i, m_samples.size() - at);
        std::copy_n(m_samples.begin() + static_cast<std::ptrdiff_t>(at), run, samples + i);
        i += run;
    }
    m_read.store(read + n, std::memory_order_release);
    return n;
}

std::size_t SampleRingBuffer::discard(std::size_t count)
{
    const std::uint64_t read = m_read.load(std::memory_order_relaxed);
    const std::uint64_t written = m_written.load(std::memory_order_acquire);
    const std::size_t n = std::min<std::size_t>(count, written - read);
    m_read.store(read + n, std::memory_order_release);
    return n;
}

std::size_t SampleRingBuffer::available() const
{
    return static_cast<std::size_t>(m_written.load(std::memory_order_acquire) -
                                    m_read.load(std::memory_order_acquire));
}

std::size_t SampleRingBuffer::space() const
{
    return m_samples.size() - available();
}

} // namespace orvane
