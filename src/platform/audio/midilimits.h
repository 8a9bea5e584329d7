#pragma once

#include <cstddef>

namespace orvane {

// The largest MIDI file the player takes. Reading and scanning it runs on the GUI thread (the
// length must be known as soon as the file is open), so this bounds that work to a few tens of
// milliseconds; FluidSynth then holds about 50 bytes per event while the file is open.
inline constexpr std::size_t kMaxMidiFileBytes = 16u << 20;

} // namespace orvane
