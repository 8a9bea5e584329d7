#include "engine/outputlimiter.h"

#include "engine/outputformat.h"

#include <algorithm>
#include <cmath>

namespace orvane {

namespace {

// The gain recovers towards 1 with this time constant.
constexpr float kReleaseSeconds = 0.15f;
const float kRelease = 1.0f - std::exp(-1.0f / (kReleaseSeconds * kOutputRate));

// Far beyond any real sound, and small enough that the gain for it stays a normal float.
constexpr float kLargest = 1e6f;

float finite(float sample)
{
    return std::isfinite(sample) ? std::clamp(sample, -kLargest, kLargest) : 0.0f;
}

// The peak a peak of `level` above the knee is bent to: smoothly from the knee to the ceiling.
float bentPeak(float level)
{
    constexpr float room = OutputLimiter::kCeiling - OutputLimiter::kKnee;
    return OutputLimiter::kKnee + room * std::tanh((level - OutputLimiter::kKnee) / room);
}

} // namespace

void OutputLimiter::process(float* samples, std::size_t frames)
{
    static_assert(kOutputChannels == 2);
    for (std::size_t i = 0; i < frames; ++i) {
        float& left = samples[2 * i];
        float& right = samples[2 * i + 1];
        left = finite(left);
        right = finite(right);
        const float peak = std::max(std::fabs(left), std::fabs(right));
        if (m_gain < 1.0f) {
            m_gain += (1.0f - m_gain) * kRelease;
            if (m_gain > 0.9999f)
                m_gain = 1.0f;
        }
        if (peak * m_gain > kKnee)
            m_gain = std::min(m_gain, bentPeak(peak) / peak);
        left = std::clamp(left * m_gain, -1.0f, 1.0f);
        right = std::clamp(right * m_gain, -1.0f, 1.0f);
    }
}

} // namespace orvane
