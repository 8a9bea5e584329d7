#pragma once

#include "engine/preparedmidi.h"

#include <cstdint>
#include <span>
#include <string>

namespace orvane::testing {

// What is wrong with what prepareMidi made of `file` (a .mid or .rmi file's bytes): it must
// scan again, metrical, to the same length, and FluidSynth's own reader must load it and send
// the channel and system-exclusive events the scan of `file` found (counted when the file is
// short enough to play through at the fastest tempo FluidSynth allows). Empty when all is well.
std::string fluidSynthDisagrees(std::span<const std::uint8_t> file, const PreparedMidi& prepared);

} // namespace orvane::testing
