#include "platform/audio/smfscanner.h"

#include "platform/audio/byteorder.h"
#include "platform/audio/midilimits.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace orvane {

namespace {

constexpr std::uint32_t kDefaultTempo = 500000; // microseconds per quarter note: 120 bpm
constexpr int kMaxTracks = 128;                 // FluidSynth's player holds no more
constexpr std::uint64_t kMaxTick = 0x7FFFFFFF;  // FluidSynth counts ticks in an int

constexpr std::uint8_t kSysEx = 0xF0;
constexpr std::uint8_t kSysExEscape = 0xF7;
constexpr std::uint8_t kMeta = 0xFF;
constexpr std::uint8_t kEndOfTrack = 0x2F;
constexpr std::uint8_t kTempo = 0x51;

struct TempoChange
{
    std::uint64_t tick;
    std::uint32_t microsecondsPerQuarter;
};

// FluidSynth refuses the whole file when one of these meta events has another length.
bool hasTheLengthFluidSynthNeeds(std::uint8_t type, std::uint32_t length)
{
    switch (type) {
    case 0x51: // tempo
        return length == 3;
    case 0x54: // SMPTE offset
        return length == 5;
    case 0x58: // time signature
        return length == 4;
    case 0x59: // key signature
        return length == 2;
    default:
        return true;
    }
}

bool isAsciiId(std::span<const std::uint8_t> id)
{
    return std::all_of(id.begin(), id.end(), [](std::uint8_t c) { return c < 0x80; });
}

// Reads the events of one track chunk and hands them on.
class TrackWalker
{
public:
    TrackWalker(std::span<const std::uint8_t> bytes, std::size_t begin, std::size_t end, bool smpte,
                std::vector<TempoChange>& tempos, std::size_t& eventCount, SmfEventSink* sink)
        : m_bytes(bytes), m_pos(begin), m_end(end), m_smpte(smpte), m_tempos(tempos),
          m_eventCount(eventCount), m_sink(sink)
    {
    }

    // Walks to the end of track, or to the last whole event before a fault; false as soon as
    // the file holds too many events.
    bool walk()
    {
        while (m_pos < m_end) {
            const auto delta = readVarLen();
            if (!delta || m_tick + *delta > kMaxTick)
                return true;
            if (++m_eventCount > kMaxMidiEvents)
                return false;
            const Outcome outcome = readEvent(m_tick + *delta);
            if (outcome == Outcome::Fault)
                return true;
            m_tick += *delta;
            m_carried += *delta;
            m_anyEvent = true;
            if (outcome == Outcome::End)
                return true;
            if (outcome == Outcome::Deliver) {
                if (m_sink != nullptr)
                    m_sink->event({m_carried, m_status, m_data});
                m_carried = 0;
            }
        }
        return true;
    }

    std::uint64_t tick() const { return m_tick; }
    // Ticks from the last event handed on to the end of the track.
    std::uint32_t endDelta() const { return m_carried; }
    bool anyEvent() const { return m_anyEvent; }

private:
    enum class Outcome { Deliver, PassOver, End, Fault };

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

    std::size_t remaining() const { return m_end - m_pos; }

    Outcome readEvent(std::uint64_t tick)
    {
        if (m_pos >= m_end)
            return Outcome::Fault;
        m_status = m_bytes[m_pos];
        if (m_status < 0x80) {
            if (m_runningStatus == 0)
                return Outcome::Fault;
            m_status = m_runningStatus;
        } else {
            ++m_pos;
        }
        const std::size_t dataBegin = m_pos;

        if (m_status == kSysEx || m_status == kSysExEscape) {
            const auto length = readVarLen();
            if (!length || *length > remaining())
                return Outcome::Fault;
            m_pos += *length;
            m_data = m_bytes.subspan(dataBegin, m_pos - dataBegin);
            return m_status == kSysEx ? Outcome::Deliver : Outcome::PassOver;
        }
        if (m_status == kMeta)
            return readMeta(dataBegin, tick);
        if (m_status > 0xF0)
            return Outcome::Fault; // a system message, which has no place in a file

        m_runningStatus = m_status;
        const std::uint8_t kind = m_status & 0xF0;
        const std::size_t dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
        if (dataBytes > remaining())
            return Outcome::Fault;
        for (std::size_t i = 0; i < dataBytes; ++i) {
            if (m_bytes[m_pos + i] >= 0x80)
                return Outcome::Fault;
        }
        m_pos += dataBytes;
        m_data = m_bytes.subspan(dataBegin, dataBytes);
        return Outcome::Deliver;
    }

    Outcome readMeta(std::size_t dataBegin, std::uint64_t tick)
    {
        if (m_pos >= m_end)
            return Outcome::Fault;
        const std::uint8_t type = m_bytes[m_pos++];
        const auto length = readVarLen();
        if (!length || *length > remaining())
            return Outcome::Fault;
        const std::size_t contents = m_pos;
        m_pos += *length;
        m_data = m_bytes.subspan(dataBegin, m_pos - dataBegin);
        if (type == kEndOfTrack)
            return Outcome::End;
        if (!hasTheLengthFluidSynthNeeds(type, *length))
            return Outcome::PassOver;
        if (type == kTempo) {
            const std::uint32_t tempo = readBigEndian(m_bytes, contents, 3);
            if (tempo == 0 || m_smpte)
                return Outcome::PassOver; // a tempo has no meaning under SMPTE timing
            m_tempos.push_back({tick, tempo});
        }
        return Outcome::Deliver;
    }

    std::span<const std::uint8_t> m_bytes;
    std::size_t m_pos;
    std::size_t m_end;
    bool m_smpte;
    std::vector<TempoChange>& m_tempos;
    std::size_t& m_eventCount;
    SmfEventSink* m_sink;

    std::uint64_t m_tick = 0;
    std::uint32_t m_carried = 0;
    std::uint8_t m_runningStatus = 0;
    std::uint8_t m_status = 0;
    std::span<const std::uint8_t> m_data;
    bool m_anyEvent = false;
};

// Each track's tempo changes come in tick order: merging the runs is enough.
void mergeRuns(std::vector<TempoChange>& tempos, std::vector<std::size_t> runStarts)
{
    const auto byTick = [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; };
    runStarts.push_back(tempos.size());
    while (runStarts.size() > 2) {
        std::vector<std::size_t> merged;
        std::size_t i = 0;
        for (; i + 2 < runStarts.size(); i += 2) {
            std::inplace_merge(tempos.begin() + static_cast<std::ptrdiff_t>(runStarts[i]),
                               tempos.begin() + static_cast<std::ptrdiff_t>(runStarts[i + 1]),
                               tempos.begin() + static_cast<std::ptrdiff_t>(runStarts[i + 2]),
                               byTick);
            merged.push_back(runStarts[i]);
        }
        if (i + 1 < runStarts.size())
            merged.push_back(runStarts[i]);
        merged.push_back(runStarts.back());
        runStarts = std::move(merged);
    }
}

double metricalSeconds(const std::vector<TempoChange>& tempos, std::uint64_t endTick, int division)
{
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

SmfSummary scanSmf(std::span<const std::uint8_t> bytes, SmfEventSink* sink)
{
    SmfSummary summary;
    if (bytes.size() < 8 || !std::equal(bytes.begin(), bytes.begin() + 4, "MThd"))
        return refuse(summary, "not a Standard MIDI File (no MThd header)");
    const std::uint64_t headerLength = readBigEndian(bytes, 4, 4);
    if (headerLength < 6)
        return refuse(summary, "the MThd header is too short");
    if (bytes.size() < 14)
        return refuse(summary, "the MThd header is cut off");
    summary.format = static_cast<int>(readBigEndian(bytes, 8, 2));
    const auto declaredTracks = static_cast<int>(readBigEndian(bytes, 10, 2));
    const std::uint32_t division = readBigEndian(bytes, 12, 2);
    if (summary.format > 2)
        return refuse(summary, "unknown MIDI file format " + std::to_string(summary.format));
    if (declaredTracks == 0)
        return refuse(summary, "the MIDI file declares no tracks");
    if (declaredTracks > kMaxTracks)
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
    std::vector<std::size_t> tempoRuns;
    bool anyEvent = false;
    std::uint64_t pos = 8 + headerLength;
    while (summary.trackCount < declaredTracks && pos + 8 <= bytes.size()) {
        const auto id = bytes.subspan(static_cast<std::size_t>(pos), 4);
        const std::uint32_t length = readBigEndian(bytes, static_cast<std::size_t>(pos) + 4, 4);
        if (!isAsciiId(id))
            break; // not a chunk: what follows cannot be found
        const std::uint64_t dataBegin = pos + 8;
        const auto dataEnd =
            static_cast<std::size_t>(std::min<std::uint64_t>(dataBegin + length, bytes.size()));
        if (std::equal(id.begin(), id.end(), "MTrk")) {
            if (sink != nullptr)
                sink->beginTrack();
            tempoRuns.push_back(tempos.size());
            TrackWalker walker(bytes, static_cast<std::size_t>(dataBegin), dataEnd, summary.smpte,
                               tempos, summary.eventCount, sink);
            if (!walker.walk())
                return refuse(summary, "the MIDI file holds more than " +
                                           std::to_string(kMaxMidiEvents) + " events");
            if (sink != nullptr)
                sink->endTrack(walker.endDelta());
            summary.endTick = std::max(summary.endTick, walker.tick());
            anyEvent = anyEvent || walker.anyEvent();
            ++summary.trackCount;
        }
        pos = dataBegin + length;
    }
    if (summary.trackCount == 0)
        return refuse(summary, "the MIDI file holds no track");
    if (!anyEvent)
        return refuse(summary, "no event of the MIDI file can be read");

    if (summary.smpte) {
        // 29 stands for 29.97 frames per second (drop-frame).
        const double framesPerSecond =
            summary.smpteFramesPerSecond == 29 ? 30000.0 / 1001.0 : summary.smpteFramesPerSecond;
        summary.lengthSeconds =
            static_cast<double>(summary.endTick) / (framesPerSecond * summary.smpteTicksPerFrame);
    } else {
        mergeRuns(tempos, std::move(tempoRuns));
        summary.lengthSeconds = metricalSeconds(tempos, summary.endTick, summary.ticksPerQuarter);
    }
    summary.valid = true;
    return summary;
}

} // namespace orvane
