#pragma once

#include <atomic>
#include <functional>
#include <semaphore>
#include <thread>

namespace orvane {

// Carries a signal out of the audio callback: signal() wakes a helper thread, which runs the
// handler there, so the callback itself never allocates or posts to the event loop. Signals
// that come faster than the handler runs are merged.
class AudioEventRelay
{
public:
    explicit AudioEventRelay(std::function<void()> handler);
    ~AudioEventRelay();
    AudioEventRelay(const AudioEventRelay&) = delete;
    AudioEventRelay& operator=(const AudioEventRelay&) = delete;

    // Any thread, the audio callback included: never blocks or allocates.
    void signal();

private:
    void run();

    std::function<void()> m_handler;
    std::binary_semaphore m_wake{0};
    std::atomic<bool> m_pending{false};
    std::atomic<bool> m_stopping{false};
    std::thread m_thread;
};

} // namespace orvane
