#include "engine/positionticker.h"

#include "engine/ownerloop.h"

namespace orvane {

namespace {

// An update comes this long after the position passes a whole interval, so that the gauge
// steps just after each second of what is heard, never just before.
constexpr std::int32_t kLag = 15;
// Timers may fire a little early or late; a long wait ends this much early for a second look.
constexpr std::int32_t kSecondLook = 50;

} // namespace

PositionTicker::PositionTicker(OwnerLoop& loop, Clock clock, std::function<void()> update)
    : m_clock(std::move(clock)), m_update(std::move(update)),
      m_timer(loop.createTimer([this] { onTimer(); }))
{
}

PositionTicker::~PositionTicker() = default;

bool PositionTicker::isActive() const
{
    return m_timer->isActive();
}

void PositionTicker::reschedule(std::int32_t interval)
{
    m_interval = interval;
    if (interval <= 0) {
        m_timer->stop();
        return;
    }
    m_earlyLooks = 0;
    if (!m_clock.playing()) {
        m_due = 0;
        m_timer->start(interval);
        return;
    }
    const std::int32_t position = m_clock.position();
    m_due = (position / interval + 1) * interval;
    std::int32_t wait = m_due - position + kLag;
    if (wait > 2 * kSecondLook)
        wait -= kSecondLook;
    m_timer->start(wait);
}

void PositionTicker::onTimer()
{
    if (m_interval <= 0) {
        m_timer->stop();
        return;
    }
    if (m_clock.playing() && m_earlyLooks < 2) {
        const std::int32_t position = m_clock.position();
        if (position < m_due && position < m_clock.length()) {
            // Too early for the whole interval: look again just after it (twice at most,
            // should the sound stand still).
            ++m_earlyLooks;
            m_timer->start(m_due - position + kLag);
            return;
        }
    }
    m_update();
    reschedule(m_interval);
}

} // namespace orvane
