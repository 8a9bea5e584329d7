#pragma once

namespace orvane {

// The GUI thread's event loop, as the logic waits in it.
class EventLoop
{
public:
    virtual ~EventLoop() = default;

    // Handles events (user input, timers, posted tasks) for `milliseconds`, then returns.
    virtual void runFor(int milliseconds) = 0;
};

} // namespace orvane
