#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace orvane {

// How an AudioMediaControl sounds; the defaults suit the program.
struct AudioMediaControlOptions
{
    enum class Output {
        Device, // the machine's audio device; a silent sink when none opens
        Silent  // a silent sink that keeps real time
    };

    Output output = Output::Device;
    // SoundFont for MIDI files; empty means to locate one (ORVANE_SOUNDFONT first).
    std::string soundFont;
    // Sees every buffer handed to the output, on the audio thread; it must not block or
    // allocate. For benchmarks and tests.
    std::function<void(const float* samples, std::size_t frames)> outputTap;
};

} // namespace orvane
