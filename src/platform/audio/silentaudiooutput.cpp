#include "platform/audio/silentaudiooutput.h"

#include "platform/audio/outputformat.h"

#include <chrono>

namespace orvane {

namespace {

constexpr std::size_t kPeriodFrames = 512;

} // namespace

SilentAudioOutput::SilentAudioOutput(Render render)
    : m_render(std::move(render)), m_buffer(kPeriodFrames * kOutputChannels),
      m_thread([this] { run(); })
{
}

SilentAudioOutput::~SilentAudioOutput()
{
    m_stopping.store(true);
    m_thread.join();
}

std::string SilentAudioOutput::description() const
{
    return "silent sink (real time)";
}

std::size_t SilentAudioOutput::periodFrames() const
{
    return kPeriodFrames;
}

void SilentAudioOutput::run()
{
    using Clock = std::chrono::steady_clock;
    const auto period = std::chrono::duration_cast<Clock::duration>(
        std::chrono::duration<double>(static_cast<double>(kPeriodFrames) / kOutputRate));
    auto next = Clock::now();
    while (!m_stopping.load(std::memory_order_relaxed)) {
        m_render(m_buffer.data(), kPeriodFrames);
        next += period;
        const auto now = Clock::now();
        // After a long stall, keep time from now on instead of rushing to catch up.
        if (now - next > std::chrono::milliseconds(200))
            next = now;
        std::this_thread::sleep_until(next);
    }
}

} // namespace orvane
