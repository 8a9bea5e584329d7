#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvane {

// What a scan of a Standard MIDI File found: its timing and where its tempo lives.
struct SmfSummary
{
    bool valid = false;
    std::string error; // why the file is refused, when not valid

    int format = 0;
    int trackCount = 0;
    bool smpte = false;
    int ticksPerQuarter = 0;      // metrical division
    int smpteFramesPerSecond = 0; // 24, 25, 29 (29.97 drop-frame) or 30
    int smpteTicksPerFrame = 0;

    std::uint64_t endTick = 0; // the last end of track over all tracks
    double lengthSeconds = 0.0;

    // Offsets of the type byte (0x51) of every tempo meta event.
    std::vector<std::size_t> tempoTypeOffsets;
    // Offset of the first 'MTrk' chunk header.
    std::size_t firstTrackOffset = 0;
};

// Walks every track of a Standard MIDI File (format 0, 1 or 2; metrical or SMPTE division)
// and times its end through the tempo map, 120 bpm until the first tempo change. Refuses what
// FluidSynth would fail to load. Never reads outside `bytes`.
SmfSummary scanSmf(std::span<const std::uint8_t> bytes);

} // namespace orvane
