#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace orvane {

// A MIDI file made ready for FluidSynth: the plain Standard MIDI File it can play, and its
// length through the tempo map (0 for a file that holds only ends of track).
struct PreparedMidi
{
    bool valid = false;
    std::string error;
    std::vector<std::uint8_t> smf;
    double lengthSeconds = 0.0;
};

// Takes a .mid or .rmi file's bytes (at most kMaxMidiFileBytes): unwraps RIFF MIDI, reads and
// times the tracks the lenient way and writes them out in the form FluidSynth reads without
// fault (see scanSmf and MidiNormaliser). Refuses what holds no playable MIDI.
PreparedMidi prepareMidi(std::span<const std::uint8_t> fileBytes);

} // namespace orvane
