#include "engine/samplering.h"

#include <algorithm>

namespace orvane {

SampleRing makeSampleRing(std::size_t capacity)
{
    auto state = std::make_shared<SampleRingState>(capacity);
    return SampleRing{RingWriter(state), RingReader(state)};
}

std::size_t RingWriter::write(const float* samples, std::size_t count)
{
    SampleRingState& ring = *m_state;
    const std::size_t size = ring.samples.size();
    const std::uint64_t written = ring.written.load(std::memory_order_relaxed);
    const std::uint64_t read = ring.read.load(std::memory_order_acquire);
    const std::size_t n = std::min<std::size_t>(count, size - (written - read));
    for (std::size_t i = 0; i < n;) {
        const std::size_t at = (written + i) % size;
        const std::size_t run = std::min(n - i, size - at);
        std::copy_n(samples + i, run, ring.samples.begin() + static_cast<std::ptrdiff_t>(at));
        i += run;
    }
    ring.written.store(written + n, std::memory_order_release);
    return n;
}

std::size_t RingWriter::space() const
{
    return m_state->samples.size() - static_cast<std::size_t>(totalWritten() - totalRead());
}

std::uint64_t RingWriter::totalWritten() const
{
    return m_state->written.load(std::memory_order_acquire);
}

std::uint64_t RingWriter::totalRead() const
{
    return m_state->read.load(std::memory_order_acquire);
}

std::size_t RingReader::read(float* out, std::size_t count)
{
    SampleRingState& ring = *m_state;
    const std::size_t size = ring.samples.size();
    const std::uint64_t read = ring.read.load(std::memory_order_relaxed);
    const std::uint64_t written = ring.written.load(std::memory_order_acquire);
    const std::size_t n = std::min<std::size_t>(count, written - read);
    for (std::size_t i = 0; i < n;) {
        const std::size_t at = (read + i) % size;
        const std::size_t run = std::min(n - i, size - at);
        std::copy_n(ring.samples.begin() + static_cast<std::ptrdiff_t>(at), run, out + i);
        i += run;
    }
    ring.read.store(read + n, std::memory_order_release);
    return n;
}

std::size_t RingReader::discard(std::size_t count)
{
    SampleRingState& ring = *m_state;
    const std::uint64_t read = ring.read.load(std::memory_order_relaxed);
    const std::uint64_t written = ring.written.load(std::memory_order_acquire);
    const std::size_t n = std::min<std::size_t>(count, written - read);
    ring.read.store(read + n, std::memory_order_release);
    return n;
}

std::size_t RingReader::available() const
{
    return static_cast<std::size_t>(totalWritten() - totalRead());
}

std::uint64_t RingReader::totalWritten() const
{
    return m_state->written.load(std::memory_order_acquire);
}

std::uint64_t RingReader::totalRead() const
{
    return m_state->read.load(std::memory_order_acquire);
}

} // namespace orvane
