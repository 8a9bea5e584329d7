#pragma once

#include "engine/outputdevice.h"
#include "engine/outputformat.h"
#include "engine/ownerloop.h"

#include <memory>
#include <string>
#include <vector>

namespace orvane {

// The sound device as the tests have it: every 25 ms of the owner loop's time it takes a period
// from the stream open on it, on the loop's thread, and keeps what it played, silence included,
// from its first period on. So a test hears what the engine plays, frame by frame and in time.
class PulledDevice : public OutputDevice
{
public:
    explicit PulledDevice(OwnerLoop& loop) : m_clock(loop.createTimer([this] { pullPeriod(); }))
    {
        m_clock->start(static_cast<int>(AudioOutput::kPeriodFrames * 1000 / kOutputRate));
    }

    std::unique_ptr<AudioOutput> open(RenderCallback render, bool, std::string& error) override
    {
        ++opens;
        if (refuse) {
            error = "refused by the test";
            return nullptr;
        }
        return std::make_unique<Stream>(*this, std::move(render));
    }
    bool mayAppear() const override { return true; }
    void release() override {}

    bool isOpen() const { return m_render != nullptr; }
    // Each frame's left channel, a period at a time.
    std::vector<float> heard;
    int opens = 0;
    bool refuse = false;

private:
    class Stream : public AudioOutput
    {
    public:
        Stream(PulledDevice& device, RenderCallback render) : m_device(device)
        {
            m_device.m_render = std::move(render);
        }
        ~Stream() override { m_device.m_render = nullptr; }
        std::string description() const override { return "the test's pulled device"; }
        bool lost() const override { return false; }

    private:
        PulledDevice& m_device;
    };

    void pullPeriod()
    {
        std::vector<float> period(AudioOutput::kPeriodFrames * kOutputChannels, 0.0f);
        if (m_render)
            m_render(period.data(), AudioOutput::kPeriodFrames);
        for (std::size_t frame = 0; frame < AudioOutput::kPeriodFrames; ++frame)
            heard.push_back(period[2 * frame]);
    }

    RenderCallback m_render;
    std::unique_ptr<LoopTimer> m_clock;
};

} // namespace orvane
