#pragma once

#include "platform/audio/smfscanner.h"

#include <cstdint>
#include <span>
#include <vector>

namespace orvane {

// Rewrites a MIDI file with SMPTE time division as the same music with a metrical division
// and one fixed tempo, which FluidSynth can play. Every tick keeps its time: the division
// becomes frames x ticks per frame per quarter note at one quarter note per second (per 1.001 s
// at 29.97 fps). Tempo events, meaningless under SMPTE timing, are turned into sequencer-
// specific events of the same size so that no offset moves but the one inserted tempo.
// `summary` must be the valid scan of `bytes` with `smpte` set.
std::vector<std::uint8_t> convertSmpteToMetrical(std::span<const std::uint8_t> bytes,
                                                 const SmfSummary& summary);

} // namespace orvane
