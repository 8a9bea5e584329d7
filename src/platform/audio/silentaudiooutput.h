#pragma once

#include "platform/audio/audiooutput.h"

#include <atomic>
#include <thread>
#include <vector>

namespace orvane {

// An output with no device: a thread asks for audio in real time and drops it.
class SilentAudioOutput : public AudioOutput
{
public:
    explicit SilentAudioOutput(Render render);
    ~SilentAudioOutput() override;
    SilentAudioOutput(const SilentAudioOutput&) = delete;
    SilentAudioOutput& operator=(const SilentAudioOutput&) = delete;

    std::string description() const override;
    std::size_t periodFrames() const override;

private:
    void run();

    Render m_render;
    std::vector<float> m_buffer;
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

} // namespace orvane
