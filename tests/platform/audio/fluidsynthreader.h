#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace orvane::testing {

// How FluidSynth's own reader takes a Standard MIDI File.
struct FluidSynthReading
{
    bool loads = false;
    // The channel and system-exclusive events its player sends when the file is played through
    // at the fastest tempo it allows; unknown for a file too long even at that tempo.
    std::optional<std::size_t> events;
};
FluidSynthReading readWithFluidSynth(std::span<const std::uint8_t> smf);

// The channel and system-exclusive events scanSmf hands on for `smf`, as FluidSynth would
// send them (an empty system-exclusive message is none).
std::size_t eventsScanned(std::span<const std::uint8_t> smf);

} // namespace orvane::testing
