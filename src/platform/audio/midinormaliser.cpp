#include "platform/audio/midinormaliser.h"

#include "platform/audio/byteorder.h"
#include "platform/audio/smpteconverter.h"

#include <array>

namespace orvane {

namespace {

constexpr std::size_t kHeaderBytes = 14;
constexpr std::uint32_t kMaxDelta = 0x0FFFFFFF; // four bytes of variable-length number
constexpr std::uint8_t kMeta = 0xFF;

void appendVarLen(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    std::array<std::uint8_t, 4> groups{};
    int count = 0;
    do {
        groups[static_cast<std::size_t>(count++)] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    for (int i = count - 1; i >= 0; --i)
        out.push_back(
            static_cast<std::uint8_t>(groups[static_cast<std::size_t>(i)] | (i > 0 ? 0x80 : 0)));
}

} // namespace

MidiNormaliser::MidiNormaliser(std::size_t expectedBytes)
{
    m_bytes.reserve(kHeaderBytes + expectedBytes + expectedBytes / 8);
    m_bytes.resize(kHeaderBytes);
}

void MidiNormaliser::beginTrack()
{
    m_trackStart = m_bytes.size();
    m_bytes.insert(m_bytes.end(), {'M', 'T', 'r', 'k', 0, 0, 0, 0});
    m_lastStatus = 0; // the first event of a track always carries its status
}

void MidiNormaliser::appendDelta(std::uint32_t ticks)
{
    // Longer than a delta time can say: sequencer-specific events, which FluidSynth passes over
    // while it adds up their delta times, carry the rest.
    while (ticks > kMaxDelta) {
        appendVarLen(m_bytes, kMaxDelta);
        m_bytes.insert(m_bytes.end(), {kMeta, 0x7F, 0x00});
        m_lastStatus = kMeta;
        ticks -= kMaxDelta;
    }
    appendVarLen(m_bytes, ticks);
}

void MidiNormaliser::event(const SmfEvent& event)
{
    appendDelta(event.delta);
    if (event.status >= 0xF0 || event.status != m_lastStatus)
        m_bytes.push_back(event.status);
    m_lastStatus = event.status;
    m_bytes.insert(m_bytes.end(), event.data.begin(), event.data.end());
}

void MidiNormaliser::endTrack(std::uint32_t delta)
{
    appendDelta(delta);
    m_bytes.insert(m_bytes.end(), {kMeta, 0x2F, 0x00});
    const std::size_t length = m_bytes.size() - m_trackStart - 8;
    writeBigEndian32(m_bytes, m_trackStart + 4, static_cast<std::uint32_t>(length));
}

std::vector<std::uint8_t> MidiNormaliser::finish(const SmfSummary& summary)
{
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
