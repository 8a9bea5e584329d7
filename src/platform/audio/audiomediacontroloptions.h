#pragma once

#include <string>

namespace orvane {

// How an AudioMediaControl sounds; the defaults suit the program.
struct AudioMediaControlOptions
{
    enum class Output {
        Device, // the machine's audio device; a silent sink while there is none
        Silent  // a silent sink that keeps real time
    };

    Output output = Output::Device;
    // SoundFont for MIDI files; empty means to locate one (ORVANE_SOUNDFONT first).
    std::string soundFont;
};

} // namespace orvane
