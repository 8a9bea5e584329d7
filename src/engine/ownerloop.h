#pragma once

#include <functional>
#include <memory>

namespace orvane {

// A repeating timer whose ticks come on the owner's thread.
class LoopTimer
{
public:
    virtual ~LoopTimer() = default;

    // Starts (or restarts) ticking every `milliseconds`.
    virtual void start(int milliseconds) = 0;
    // Stops ticking; no tick comes after this returns.
    virtual void stop() = 0;
    // True while ticking.
    virtual bool isActive() const = 0;
};

// The event loop of the thread that owns the engine: the engine is called from that thread
// only, and raises its events there.
class OwnerLoop
{
public:
    virtual ~OwnerLoop() = default;

    // Runs `task` later on the owner's thread; safe to call from any thread.
    virtual void post(std::function<void()> task) = 0;
    // A stopped timer that calls `tick` on the owner's thread.
    virtual std::unique_ptr<LoopTimer> createTimer(std::function<void()> tick) = 0;
};

} // namespace orvane
