#pragma once

#include <functional>
#include <memory>

namespace orvane {

// A repeating timer whose ticks arrive on the GUI thread.
class Timer
{
public:
    virtual ~Timer() = default;

    // Starts (or restarts) ticking every `milliseconds`.
    virtual void start(int milliseconds) = 0;
    // Stops ticking; no tick arrives after this returns.
    virtual void stop() = 0;
    // True while ticking.
    virtual bool isActive() const = 0;
};

// The GUI thread's event loop.
class EventLoop
{
public:
    virtual ~EventLoop() = default;

    // Runs `task` later on the GUI thread; safe to call from any thread.
    virtual void post(std::function<void()> task) = 0;
    // Handles events (user input, timers, posted tasks) for `milliseconds`, then returns.
    virtual void runFor(int milliseconds) = 0;
    // A stopped timer that calls `tick` on the GUI thread.
    virtual std::unique_ptr<Timer> createTimer(std::function<void()> tick) = 0;
};

} // namespace orvane
