#pragma once

#include <cstddef>

namespace orvane {

// The last stage before the device. Every sample leaves it finite and within [-1, 1]: samples
// that are not finite become 0, and peaks above the knee are bent down towards the ceiling by
// a gain that falls at once and recovers over a tenth of a second or so. Quieter sound passes
// unchanged, sample for sample.
class OutputLimiter
{
public:
    static constexpr float kCeiling = 0.8913f; // -1 dBFS
    static constexpr float kKnee = 0.7079f;    // -3 dBFS

    // Limits `frames` frames of interleaved stereo in place.
    void process(float* samples, std::size_t frames);
    // Forgets the gain of earlier sound, for a stream that starts afresh.
    void reset() { m_gain = 1.0f; }

private:
    float m_gain = 1.0f;
};

} // namespace orvane
