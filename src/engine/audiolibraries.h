#pragma once

#include "engine/lazylibrary.h"

namespace orvane {

// The libraries the sound needs, each opened when first needed.
LazyLibrary& fluidSynthLibrary(); // MIDI synthesis
LazyLibrary& sndfileLibrary();    // WAV decoding
LazyLibrary& sdlLibrary();        // sample-rate conversion, thread priority, the sound device

} // namespace orvane
