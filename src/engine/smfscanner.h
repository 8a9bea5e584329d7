#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace orvane {

// What a scan of a Standard MIDI File found: its timing and its length.
struct SmfSummary
{
    bool valid = false;
    std::string error; // why the file is refused, when not valid

    int format = 0;
    int trackCount = 0; // tracks read
    bool smpte = false;
    int ticksPerQuarter = 0;      // metrical division
    int smpteFramesPerSecond = 0; // 24, 25, 29 (29.97 drop-frame) or 30
    int smpteTicksPerFrame = 0;

    std::size_t eventCount = 0; // every event read, the ones passed over included
    std::uint64_t endTick = 0;  // the last end of track over all tracks
    double lengthSeconds = 0.0;
};

// One event of a track as FluidSynth is to get it.
struct SmfEvent
{
    std::uint32_t delta;                // ticks since the previous event handed on in its track
    std::uint8_t status;                // running status resolved
    std::span<const std::uint8_t> data; // the bytes after the status byte, as in the file
    // The whole event as in the file, delta time first, when that delta time is `delta` (no
    // event passed over before it); empty otherwise.
    std::span<const std::uint8_t> raw;
    bool statusInFile; // false when the file left it to running status
};

// Receives the events of a scan, track by track.
class SmfEventSink
{
public:
    virtual ~SmfEventSink() = default;
    virtual void beginTrack() = 0;
    virtual void event(const SmfEvent& event) = 0;
    // The track ends `delta` ticks after its last event.
    virtual void endTrack(std::uint32_t delta) = 0;
};

// Reads a Standard MIDI File (format 0, 1 or 2; metrical or SMPTE division) the lenient way:
// the MThd length is honoured, chunks other than MTrk are skipped, and a track that is cut off
// or damaged ends after its last whole event. Times the end through the tempo map, 120 bpm until
// the first tempo change. Hands `sink` the events FluidSynth can take: system-exclusive escapes
// (F7), meta events of a wrong length, zero tempos and, under SMPTE timing, tempos are passed
// over and their delta times carried on. Refuses a file with no readable event, more than 128
// tracks or more than kMaxMidiEvents events. Never reads outside `bytes`.
SmfSummary scanSmf(std::span<const std::uint8_t> bytes, SmfEventSink* sink = nullptr);

} // namespace orvane
