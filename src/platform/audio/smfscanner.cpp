#include "platform/audio/smfscanner.h"

#include <algorithm>
#include <optional>

namespace orvane {

namespace {

constexpr std::uint32_t kDefaultTempo = 500000; // microseconds per quarter note: 120 bpm
constexpr int kMaxTracks = 128;                 // FluidSynth's player holds no more

struct TempoChange
{
    std::uint64_t tick;
    std::uint32_t microsecondsPerQuarter;
};

std::uint32_t bigEndian(std::span<const std::uint8_t> bytes, std::size_t at, int count)
{
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | bytes[at + static_cast<std::size_t>(i)];
    return value;
}

bool isAsciiId(std::span<const std::uint8_t> id)
{
    return std::all_of(id.begin(), id.end(), [](std::uint8_t c) { return c < 0x80; });
}

// Reads the events of one track chunk.
class TrackWalker
{
public:
    TrackWalker(std::span<const std::uint8_t> bytes, std::size_t begin, std::size_t end)
        : m_bytes(bytes), m_pos(begin), m_end(end)
    {
    }

    // Walks to the end of track; false with `error` set when the track is corrupt.
    bool walk(std::vector<TempoChange>& tempos, std::vector<std::size_t>& tempoOffsets,
              std::string& error)
    {
        while (m_pos < m_end) {
            const auto delta = readVarLen();
            if (!delta) {
                error = "a delta time is malformed or cut off";
                return false;
            }
            m_tick += *delta;
            if (!readEvent(tempos, tempoOffsets, error))
                return false;
            if (m_endOfTrack)
                return true;
        }
        return true;
    }

    std::uint64_t tick() const { return m_tick; }

private:
    std::optional<std::uint32_t> readVarLen()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            if (m_pos >= m_end)
                return std::nullopt;
            const std::uint8_t c = m_bytes[m_pos++];
            value = (value << 7) | (c & 0x7Fu);
            if ((c & 0x80) == 0)
                return value;
        }
        return std::nullopt;
    }

    bool skip(std::uint32_t count)
    {
        if (count > m_end - m_pos)
            return false;
        m_pos += count;
        return true;
    }

    bool readEvent(std::vector<TempoChange>& tempos, std::vector<std::size_t>& tempoOffsets,
                   std::string& error)
    {
        if (m_pos >= m_end) {
            error = "an event is cut off";
            return false;
        }
        std::uint8_t status = m_bytes[m_pos];
        if (status < 0x80) {
            if (m_runningStatus == 0) {
                error = "a data byte comes with no running status";
                return false;
            }
            status = m_runningStatus;
        } else {
            ++m_pos;
        }

        if (status == 0xF0 || status == 0xF7) {
            const auto length = readVarLen();
            if (!length || !skip(*length)) {
                error = "a system-exclusive event is cut off";
                return false;
            }
            return true;
        }
        if (status == 0xFF)
            return readMeta(tempos, tempoOffsets, error);
        if (status >= 0xF0) {
            error = "an event has an undefined status byte";
            return false;
        }

        m_runningStatus = status;
        const std::uint8_t kind = status & 0xF0;
        const std::uint32_t dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        if (!skip(dataBytes)) {
            error = "a channel event is cut off";
            return false;
        }
        return true;
    }

    bool readMeta(std::vector<TempoChange>& tempos, std::vector<std::size_t>& tempoOffsets,
                  std::string& error)
    {
        if (m_pos >= m_end) {
            error = "a meta event is cut off";
            return false;
        }
        const std::size_t typeOffset = m_pos;
        const std::uint8_t type = m_bytes[m_pos++];
        const auto length = readVarLen();
        if (!length || *length > m_end - m_pos) {
            error = "a meta event is cut off";
            return false;
        }
        // Lengths FluidSynth insists on; it refuses the whole file otherwise.
        struct Required
        {
            std::uint8_t type;
            std::uint32_t length;
        };
        static constexpr Required required[] = {
            {0x2F, 0}, {0x51, 3}, {0x54, 5}, {0x58, 4}, {0x59, 2}};
        for (const Required& r : required) {
            if (type == r.type && *length != r.length) {
                error = "a meta event of type " + std::to_string(type) + " has a bad length";
                return false;
            }
        }
        if (type == 0x51) {
            const std::uint32_t tempo = bigEndian(m_bytes, m_pos, 3);
            if (tempo == 0) {
                error = "a tempo change sets a tempo of zero";
                return false;
            }
            tempos.push_back({m_tick, tempo});
            tempoOffsets.push_back(typeOffset);
        }
        m_pos += *length;
        if (type == 0x2F)
            m_endOfTrack = true;
        return true;
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos;
    std::size_t m_end;
    std::uint64_t m_tick = 0;
    std::uint8_t m_runningStatus = 0;
    bool m_endOfTrack = false;
};

double metricalSeconds(std::vector<TempoChange> tempos, std::uint64_t endTick, int division)
{
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    double microseconds = 0.0;
    std::uint64_t tick = 0;
    std::uint32_t tempo = kDefaultTempo;
    for (const TempoChange& change : tempos) {
        if (change.tick >= endTick)
            break;
        microseconds += static_cast<double>(change.tick - tick) * tempo / division;
        tick = change.tick;
        tempo = change.microsecondsPerQuarter;
    }
    microseconds += static_cast<double>(endTick - tick) * tempo / division;
    return microseconds / 1e6;
}

SmfSummary refuse(SmfSummary summary, std::string why)
{
    summary.valid = false;
    summary.error = std::move(why);
    return summary;
}

} // namespace

SmfSummary scanSmf(std::span<const std::uint8_t> bytes)
{
    SmfSummary summary;
    if (bytes.size() < 14 || !std::equal(bytes.begin(), bytes.begin() + 4, "MThd"))
        return refuse(summary, "not a Standard MIDI File (no MThd header)");
    if (bigEndian(bytes, 4, 4) != 6)
        return refuse(summary, "unsupported MThd header length");
    summary.format = static_cast<int>(bigEndian(bytes, 8, 2));
    summary.trackCount = static_cast<int>(bigEndian(bytes, 10, 2));
    const std::uint32_t division = bigEndian(bytes, 12, 2);
    if (summary.format > 2)
        return refuse(summary, "unknown MIDI file format " + std::to_string(summary.format));
    if (summary.trackCount == 0)
        return refuse(summary, "the MIDI file declares no tracks");
    if (summary.trackCount > kMaxTracks)
        return refuse(summary, "the MIDI file has more than 128 tracks");

    if (division & 0x8000) {
        summary.smpte = true;
        summary.smpteFramesPerSecond = 256 - static_cast<int>(division >> 8);
        summary.smpteTicksPerFrame = static_cast<int>(division & 0xFF);
        const int fps = summary.smpteFramesPerSecond;
        if ((fps != 24 && fps != 25 && fps != 29 && fps != 30) || summary.smpteTicksPerFrame == 0)
            return refuse(summary, "the SMPTE time division is invalid");
    } else {
        summary.ticksPerQuarter = static_cast<int>(division);
        if (summary.ticksPerQuarter == 0)
            return refuse(summary, "the time division is zero");
    }

    std::vector<TempoChange> tempos;
    std::size_t pos = 14;
    int tracksRead = 0;
    while (tracksRead < summary.trackCount) {
        if (bytes.size() - pos < 8)
            return refuse(summary, "the MIDI file is truncated: " + std::to_string(tracksRead) +
                                       " of " + std::to_string(summary.trackCount) +
                                       " tracks present");
        const auto id = bytes.subspan(pos, 4);
        const std::uint32_t length = bigEndian(bytes, pos + 4, 4);
        if (!isAsciiId(id))
            return refuse(summary, "a chunk has a corrupt header");
        const std::size_t dataBegin = pos + 8;
        if (length > bytes.size() - dataBegin)
            return refuse(summary, "the MIDI file is truncated inside a chunk");
        const std::size_t dataEnd = dataBegin + length;
        if (std::equal(id.begin(), id.end(), "MTrk")) {
            if (tracksRead == 0)
                summary.firstTrackOffset = pos;
            TrackWalker walker(bytes, dataBegin, dataEnd);
            if (!walker.walk(tempos, summary.tempoTypeOffsets, summary.error))
                return refuse(summary,
                              "track " + std::to_string(tracksRead + 1) + ": " + summary.error);
            summary.endTick = std::max(summary.endTick, walker.tick());
            ++tracksRead;
        }
        pos = dataEnd;
    }

    if (summary.smpte) {
        // 29 stands for 29.97 frames per second (drop-frame).
        const double framesPerSecond =
            summary.smpteFramesPerSecond == 29 ? 30000.0 / 1001.0 : summary.smpteFramesPerSecond;
        summary.lengthSeconds =
            static_cast<double>(summary.endTick) / (framesPerSecond * summary.smpteTicksPerFrame);
    } else {
        summary.lengthSeconds = metricalSeconds(tempos, summary.endTick, summary.ticksPerQuarter);
    }
    summary.valid = true;
    summary.error.clear();
    return summary;
}

} // namespace orvane
