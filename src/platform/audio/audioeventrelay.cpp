#include "platform/audio/audioeventrelay.h"

namespace orvane {

AudioEventRelay::AudioEventRelay(std::function<void()> handler)
    : m_handler(std::move(handler)), m_thread([this] { run(); })
{
}

AudioEventRelay::~AudioEventRelay()
{
    m_stopping.store(true);
    if (!m_pending.exchange(true))
        m_wake.release();
    m_thread.join();
}

void AudioEventRelay::signal()
{
    if (!m_pending.exchange(true, std::memory_order_acq_rel))
        m_wake.release();
}

void AudioEventRelay::run()
{
    for (;;) {
        m_wake.acquire();
        m_pending.store(false, std::memory_order_release);
        if (m_stopping.load())
            return;
        m_handler();
    }
}

} // namespace orvane
