#pragma once

#include "platform/audio/audiooutput.h"

#include <atomic>
#include <thread>
#include <vector>

namespace orvane {

// An output with no device: a thread asks for audio at the pace of the wall clock and drops it.
class SilentAudioOutput : public AudioOutput
{
public:
    static constexpr const char* kDescription = "silent sink (real time)";

    explicit SilentAudioOutput(Render render);
    ~SilentAudioOutput() override;
    SilentAudioOutput(const SilentAudioOutput&) = delete;
    SilentAudioOutput& operator=(const SilentAudioOutput&) = delete;

    std::string description() const override { return kDescription; }
    bool lost() const override { return false; }

private:
    void run();

    Render m_render;
    std::vector<float> m_buffer;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

} // namespace orvane
