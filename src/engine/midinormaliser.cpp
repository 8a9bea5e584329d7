#include "engine/midinormaliser.h"

#include "engine/byteorder.h"
#include "engine/smpteconverter.h"

#include <algorithm>
#include <array>

namespace orvane {

namespace {

constexpr std::size_t kHeaderBytes = 14;
constexpr std::uint32_t kMaxDelta = 0x0FFFFFFF; // four bytes of variable-length number
constexpr std::uint8_t kMeta = 0xFF;

// Writes `value` as a variable-length number (at most kMaxDelta) at `out`; the end of it.
inline std::uint8_t* putVarLen(std::uint8_t* out, std::uint32_t value)
{
    if (value < 0x80) {
        *out = static_cast<std::uint8_t>(value);
        return out + 1;
    }
    int shift = 21;
    while ((value >> shift) == 0)
        shift -= 7;
    for (; shift > 0; shift -= 7)
        *out++ = static_cast<std::uint8_t>(0x80 | ((value >> shift) & 0x7F));
    *out = static_cast<std::uint8_t>(value & 0x7F);
    return out + 1;
}

} // namespace

MidiNormaliser::MidiNormaliser(std::size_t expectedBytes)
    : m_bytes(kHeaderBytes), m_size(kHeaderBytes)
{
    m_bytes.reserve(kHeaderBytes + expectedBytes + expectedBytes / 8 + 64);
}

std::uint8_t* MidiNormaliser::room(std::size_t bytes)
{
    // Grown a little at a time, so that memory is touched (zeroed) only as far as it is written.
    if (m_size + bytes > m_bytes.size()) [[unlikely]]
        m_bytes.resize(m_size + bytes + 4096);
    return m_bytes.data() + m_size;
}

void MidiNormaliser::append(std::initializer_list<std::uint8_t> bytes)
{
    std::copy(bytes.begin(), bytes.end(), room(bytes.size()));
    m_size += bytes.size();
}

void MidiNormaliser::flush()
{
    if (m_runBegin == m_runEnd)
        return;
    // Copied straight to the end: a long run (a large system-exclusive dump) is not zeroed first.
    m_bytes.resize(m_size);
    m_bytes.insert(m_bytes.end(), m_runBegin, m_runEnd);
    m_size = m_bytes.size();
    m_runBegin = m_runEnd = nullptr;
}

void MidiNormaliser::beginTrack()
{
    m_trackStart = m_size;
    append({'M', 'T', 'r', 'k', 0, 0, 0, 0});
    m_lastStatus = 0; // the first event of a track always carries its status
}

std::uint32_t MidiNormaliser::carryLongDelta(std::uint32_t ticks)
{
    flush();
    // Longer than a delta time can say: sequencer-specific events, which FluidSynth passes over
    // while it adds up their delta times, carry the rest.
    while (ticks > kMaxDelta) {
        m_size = static_cast<std::size_t>(putVarLen(room(4), kMaxDelta) - m_bytes.data());
        append({kMeta, 0x7F, 0x00});
        m_lastStatus = kMeta;
        ticks -= kMaxDelta;
    }
    return ticks;
}

void MidiNormaliser::event(const SmfEvent& event)
{
    const auto needsStatus = [&] { return event.status >= 0xF0 || event.status != m_lastStatus; };
    if (!event.raw.empty() && needsStatus() == event.statusInFile) {
        // The file's own bytes say it: add them to the run.
        if (event.raw.data() != m_runEnd) {
            flush();
            m_runBegin = event.raw.data();
        }
        m_runEnd = event.raw.data() + event.raw.size();
        m_lastStatus = event.status;
        return;
    }
    flush();
    const std::uint32_t delta = event.delta > kMaxDelta ? carryLongDelta(event.delta) : event.delta;
    std::uint8_t* out = putVarLen(room(5 + event.data.size()), delta);
    if (needsStatus())
        *out++ = event.status;
    m_lastStatus = event.status;
    out = std::copy(event.data.begin(), event.data.end(), out);
    m_size = static_cast<std::size_t>(out - m_bytes.data());
}

void MidiNormaliser::endTrack(std::uint32_t delta)
{
    flush();
    delta = carryLongDelta(delta);
    m_size = static_cast<std::size_t>(putVarLen(room(4), delta) - m_bytes.data());
    append({kMeta, 0x2F, 0x00});
    const std::size_t length = m_size - m_trackStart - 8;
    writeBigEndian32(m_bytes, m_trackStart + 4, static_cast<std::uint32_t>(length));
}

std::vector<std::uint8_t> MidiNormaliser::finish(const SmfSummary& summary)
{
    m_bytes.resize(m_size);
    std::uint32_t division = static_cast<std::uint32_t>(summary.ticksPerQuarter);
    if (summary.smpte) {
        const MetricalTiming timing =
            metricalTimingForSmpte(summary.smpteFramesPerSecond, summary.smpteTicksPerFrame);
        division = timing.division;
        // The one tempo, at the start of the first track.
        const std::uint32_t tempo = timing.microsecondsPerQuarter;
        const std::array<std::uint8_t, 7> tempoEvent = {0x00,
                                                        kMeta,
                                                        0x51,
                                                        0x03,
                                                        static_cast<std::uint8_t>(tempo >> 16),
                                                        static_cast<std::uint8_t>(tempo >> 8),
                                                        static_cast<std::uint8_t>(tempo)};
        const std::size_t track = kHeaderBytes;
        const std::uint32_t length = readBigEndian(m_bytes, track + 4, 4);
        writeBigEndian32(m_bytes, track + 4,
                         length + static_cast<std::uint32_t>(tempoEvent.size()));
        m_bytes.insert(m_bytes.begin() + static_cast<std::ptrdiff_t>(track + 8), tempoEvent.begin(),
                       tempoEvent.end());
    }
    std::vector<std::uint8_t> header = {'M', 'T', 'h', 'd', 0, 0, 0, 6};
    appendBigEndian(header, static_cast<std::uint32_t>(summary.format), 2);
    appendBigEndian(header, static_cast<std::uint32_t>(summary.trackCount), 2);
    appendBigEndian(header, division, 2);
    std::copy(header.begin(), header.end(), m_bytes.begin());
    return std::move(m_bytes);
}

} // namespace orvane
