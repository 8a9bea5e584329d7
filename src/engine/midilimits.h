#pragma once

#include <cstddef>

namespace orvane {

// How much of a MIDI file the player takes on. Real pieces stay far below both.
// FluidSynth's player keeps 48 bytes per event (measured), so the event cap holds it to about
// 100 MB; the size cap bounds reading and scanning the file on the owner's thread.
inline constexpr std::size_t kMaxMidiFileBytes = std::size_t{16} << 20;
inline constexpr std::size_t kMaxMidiEvents = 2'000'000;

} // namespace orvane
