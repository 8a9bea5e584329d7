#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvane {

// A MIDI file made ready for FluidSynth: the bare Standard MIDI File it can play, and its
// length through the tempo map.
struct PreparedMidi
{
    bool valid = false;
    std::string error;
    std::vector<std::uint8_t> smf;
    double lengthSeconds = 0.0;
};

// Takes a .mid or .rmi file's bytes: unwraps RIFF MIDI, checks and times the tracks, and
// converts SMPTE timing to a metrical division. Refuses anything FluidSynth cannot play and
// files that last no time at all.
PreparedMidi prepareMidi(std::span<const std::uint8_t> fileBytes);

} // namespace orvane
