#pragma once

#include <cstddef>

namespace orvane {

// One open file that renders interleaved float stereo at the output rate. It is prepared and
// rewound on the GUI thread and rendered on the audio thread, never both at once.
class AudioSource
{
public:
    virtual ~AudioSource() = default;

    // Audio thread: writes up to `frames` frames; fewer when the data is not ready yet or the
    // file ends. Never blocks, allocates or touches files.
    virtual std::size_t render(float* out, std::size_t frames) = 0;
    // Audio thread: true once the last frame of the file has been rendered.
    virtual bool finished() const = 0;
    // GUI thread, while not rendered: goes back to the beginning; false (and a stderr line)
    // when that fails.
    virtual bool rewind() = 0;
    // Length of the file in milliseconds.
    virtual long long lengthMilliseconds() const = 0;
};

} // namespace orvane
