#include "engine/smfscanner.h"

#include "engine/byteorder.h"
#include "engine/midilimits.h"

#include <algorithm>
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
    std::uint32_t tick; // at most kMaxTick
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

// A place in a track chunk, which never passes the chunk's end.
struct Cursor
{
    const std::uint8_t* at;
    const std::uint8_t* end;

    std::size_t remaining() const { return static_cast<std::size_t>(end - at); }

    // A variable-length number of at most four bytes.
    bool readVarLen(std::uint32_t& value)
    {
        value = 0;
        for (int i = 0; i < 4 && at < end; ++i) {
            const std::uint8_t c = *at++;
            value = (value << 7) | (c & 0x7Fu);
            if ((c & 0x80) == 0)
                return true;
        }
        return false;
    }
};

// Reads the events of one track chunk and hands them on. The walk runs once per event of the
// file on the owner's thread, so its state stays in locals.
class TrackWalker
{
public:
    TrackWalker(bool smpte, std::vector<TempoChange>& tempos, SmfEventSink* sink)
        : m_smpte(smpte), m_tempos(tempos), m_sink(sink)
    {
    }

    // Walks the chunk to its end of track, or to its last whole event before a fault, adding
    // its events to `eventCount`; false as soon as that passes kMaxMidiEvents.
    bool walk(std::span<const std::uint8_t> chunk, std::size_t& eventCount)
    {
        Cursor cursor{chunk.data(), chunk.data() + chunk.size()};
        std::uint64_t tick = 0;
        std::uint32_t carried = 0;
        std::uint8_t runningStatus = 0;
        bool complete = true;
        while (cursor.at < cursor.end) {
            const std::uint8_t* const start = cursor.at;
            std::uint32_t delta = 0;
            if (!cursor.readVarLen(delta) || tick + delta > kMaxTick)
                break;
            if (++eventCount > kMaxMidiEvents) {
                complete = false;
                break;
            }
            const Event event = readEvent(cursor, runningStatus, tick + delta);
            if (event.outcome == Outcome::Fault)
                break;
            tick += delta;
            carried += delta;
            m_anyEvent = true;
            if (event.outcome == Outcome::End)
                break;
            if (event.outcome == Outcome::Deliver) {
                if (m_sink != nullptr) {
                    const std::span<const std::uint8_t> raw(
                        start, carried == delta ? static_cast<std::size_t>(cursor.at - start) : 0);
                    m_sink->event({carried, event.status, event.data, raw, event.statusInFile});
                }
                carried = 0;
            }
        }
        m_tick = tick;
        m_carried = carried;
        return complete;
    }

    std::uint64_t tick() const { return m_tick; }
    // Ticks from the last event handed on to the end of the track.
    std::uint32_t endDelta() const { return m_carried; }
    bool anyEvent() const { return m_anyEvent; }

private:
    enum class Outcome { Deliver, PassOver, End, Fault };
    struct Event
    {
        Outcome outcome;
        std::uint8_t status = 0;
        std::span<const std::uint8_t> data = {};
        bool statusInFile = true;
    };

    // Inlined: it runs once per event, and most events are channel events.
    [[gnu::always_inline]] Event readEvent(Cursor& cursor, std::uint8_t& runningStatus,
                                           std::uint64_t tick)
    {
        if (cursor.at >= cursor.end)
            return {Outcome::Fault};
        std::uint8_t status = *cursor.at;
        const bool statusInFile = status >= 0x80;
        if (!statusInFile) {
            if (runningStatus == 0)
                return {Outcome::Fault};
            status = runningStatus;
        } else {
            ++cursor.at;
        }
        const std::uint8_t* const data = cursor.at;

        if (status < 0xF0) {
            runningStatus = status;
            const std::uint8_t kind = status & 0xF0;
            const std::size_t dataBytes = (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
            if (dataBytes > cursor.remaining() || data[0] >= 0x80 ||
                (dataBytes == 2 && data[1] >= 0x80))
                return {Outcome::Fault};
            cursor.at += dataBytes;
            return {Outcome::Deliver, status, {data, dataBytes}, statusInFile};
        }
        if (status == kSysEx || status == kSysExEscape) {
            std::uint32_t length = 0;
            if (!cursor.readVarLen(length) || length > cursor.remaining())
                return {Outcome::Fault};
            cursor.at += length;
            return {status == kSysEx ? Outcome::Deliver : Outcome::PassOver,
                    status,
                    {data, static_cast<std::size_t>(cursor.at - data)}};
        }
        if (status == kMeta)
            return readMeta(cursor, data, tick);
        return {Outcome::Fault}; // a system message, which has no place in a file
    }

    Event readMeta(Cursor& cursor, const std::uint8_t* data, std::uint64_t tick)
    {
        std::uint32_t length = 0;
        if (cursor.at >= cursor.end)
            return {Outcome::Fault};
        const std::uint8_t type = *cursor.at++;
        if (!cursor.readVarLen(length) || length > cursor.remaining())
            return {Outcome::Fault};
        const std::uint8_t* const contents = cursor.at;
        cursor.at += length;
        const Event event{
            Outcome::Deliver, kMeta, {data, static_cast<std::size_t>(cursor.at - data)}};
        if (type == kEndOfTrack)
            return {Outcome::End};
        if (!hasTheLengthFluidSynthNeeds(type, length))
            return {Outcome::PassOver};
        if (type == kTempo) {
            const std::uint32_t tempo = readBigEndian({contents, 3}, 0, 3);
            if (tempo == 0 || m_smpte)
                return {Outcome::PassOver}; // a tempo has no meaning under SMPTE timing
            if (tempo != m_tempo)           // the same tempo again changes nothing
                m_tempos.push_back({static_cast<std::uint32_t>(tick), tempo});
            m_tempo = tempo;
        }
        return event;
    }

    bool m_smpte;
    std::vector<TempoChange>& m_tempos;
    SmfEventSink* m_sink;
    std::uint64_t m_tick = 0;
    std::uint32_t m_carried = 0;
    std::uint32_t m_tempo = 0; // the track's last tempo
    bool m_anyEvent = false;
};

// Each track's tempo changes come in tick order: merging the runs, two at a time, sorts them
// (stably: at one tick, the later track's change wins, as it does in FluidSynth's player).
void mergeRuns(std::vector<TempoChange>& tempos, std::vector<std::size_t> runStarts)
{
    const auto byTick = [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; };
    if (std::is_sorted(tempos.begin(), tempos.end(), byTick))
        return; // as when only one track changes the tempo
    runStarts.push_back(tempos.size());
    std::vector<TempoChange> merged(runStarts.size() > 2 ? tempos.size() : 0);
    while (runStarts.size() > 2) {
        std::vector<std::size_t> starts;
        const auto at = [&](std::size_t run) {
            return tempos.begin() + static_cast<std::ptrdiff_t>(runStarts[run]);
        };
        std::size_t run = 0;
        for (; run + 2 < runStarts.size(); run += 2) {
            std::merge(at(run), at(run + 1), at(run + 1), at(run + 2),
                       merged.begin() + static_cast<std::ptrdiff_t>(runStarts[run]), byTick);
            starts.push_back(runStarts[run]);
        }
        if (run + 1 < runStarts.size()) {
            std::copy(at(run), tempos.end(),
                      merged.begin() + static_cast<std::ptrdiff_t>(runStarts[run]));
            starts.push_back(runStarts[run]);
        }
        starts.push_back(tempos.size());
        tempos.swap(merged);
        runStarts = std::move(starts);
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
    tempos.reserve(bytes.size() / 7); // a tempo event takes at least 7 bytes
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
            TrackWalker walker(summary.smpte, tempos, sink);
            const auto chunk = bytes.subspan(static_cast<std::size_t>(dataBegin),
                                             dataEnd - static_cast<std::size_t>(dataBegin));
            if (!walker.walk(chunk, summary.eventCount))
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
