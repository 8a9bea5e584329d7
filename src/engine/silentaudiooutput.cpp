#include "engine/silentaudiooutput.h"

#include "engine/outputformat.h"

#include <chrono>

namespace orvane {

SilentAudioOutput::SilentAudioOutput(RenderCallback render)
    : m_render(std::move(render)), m_buffer(kPeriodFrames * kOutputChannels),
      m_thread([this] { run(); })
{
}

SilentAudioOutput::~SilentAudioOutput()
{
    m_stopping.store(true);
    m_thread.join();
}

void SilentAudioOutput::run()
{
    using Clock = std::chrono::steady_clock;
    // Each period is due a whole number of periods after a base time, so that rounding never
    // adds up: the sink keeps the wall clock's time.
    const auto periodsToTime = [](std::uint64_t periods) {
        return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(
            static_cast<double>(periods * kPeriodFrames) / kOutputRate));
    };
    auto base = Clock::now();
    std::uint64_t period = 0;
    while (!m_stopping.load(std::memory_order_relaxed)) {
        const auto due = base + periodsToTime(period);
        const auto now = Clock::now();
        if (now - due > std::chrono::seconds(2)) {
            // After a long stall (a suspended machine), keep time from now on instead of
            // rushing to catch up; a busy machine's delays are made up.
            base = now;
            period = 0;
        } else {
            std::this_thread::sleep_until(due);
        }
        m_render(m_buffer.data(), kPeriodFrames);
        ++period;
    }
}

std::unique_ptr<AudioOutput> SilentDevice::open(RenderCallback render, bool, std::string&)
{
    return std::make_unique<SilentAudioOutput>(std::move(render));
}

} // namespace orvane
