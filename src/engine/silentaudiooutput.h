#pragma once

#include "engine/outputdevice.h"

#include <atomic>
#include <thread>
#include <vector>

namespace orvane {

// An output with no device: a thread asks for audio at the pace of the wall clock and drops it.
class SilentAudioOutput : public AudioOutput
{
public:
    static constexpr const char* kDescription = "silent sink (real time)";

    explicit SilentAudioOutput(RenderCallback render);
    ~SilentAudioOutput() override;
    SilentAudioOutput(const SilentAudioOutput&) = delete;
    SilentAudioOutput& operator=(const SilentAudioOutput&) = delete;

    std::string description() const override { return kDescription; }
    bool lost() const override { return false; }

private:
    void run();

    RenderCallback m_render;
    std::vector<float> m_buffer;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

// The silent sink as a device: it always opens.
class SilentDevice : public OutputDevice
{
public:
    std::unique_ptr<AudioOutput> open(RenderCallback render, bool again,
                                      std::string& error) override;
    bool mayAppear() const override { return true; }
    void release() override {}
};

} // namespace orvane
