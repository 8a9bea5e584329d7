#pragma once

#include <cstddef>
#include <string>

namespace orvane {

// One open file that renders interleaved float stereo at the output rate. The engine's owner
// opens it and then only reads its length; the render worker starts and renders it, and
// destroys it.
class AudioSource
{
public:
    virtual ~AudioSource() = default;

    // Worker: makes the source ready to render from its first frame, again if it has played;
    // false, with `error` set, when it cannot.
    virtual bool start(std::string& error) = 0;
    // Worker: writes up to `frames` frames; fewer only where the file ends.
    virtual std::size_t render(float* out, std::size_t frames) = 0;
    // Worker: true once the last frame has been rendered.
    virtual bool finished() const = 0;
    // Any thread: the length in milliseconds, fixed when the file was opened.
    virtual long long lengthMilliseconds() const = 0;
};

} // namespace orvane
