#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace orvane {

class LoopTimer;
class OwnerLoop;

// Raises a position event once per interval on the owner's thread. While the sound plays, each
// one comes just after the position passes a whole interval, so that a gauge steps with what
// is heard; otherwise the position stands still and a plain timer does.
class PositionTicker
{
public:
    // What the ticker reads of the engine, on the owner's thread.
    struct Clock
    {
        std::function<bool()> playing;
        std::function<std::int32_t()> position; // ms
        std::function<std::int32_t()> length;   // ms
    };

    PositionTicker(OwnerLoop& loop, Clock clock, std::function<void()> update);
    ~PositionTicker();

    // Times the next update from the current position; an interval of 0 or less stops them.
    void reschedule(std::int32_t interval);
    bool isActive() const;

private:
    void onTimer();

    Clock m_clock;
    std::function<void()> m_update;
    std::unique_ptr<LoopTimer> m_timer;
    std::int32_t m_interval = 0;
    std::int32_t m_due = 0; // ms of position at which the next update is due
    int m_earlyLooks = 0;
};

} // namespace orvane
