#pragma once

#include "engine/ownerloop.h"
#include "platform/eventloop.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace orvane {

// The GUI thread's loop as a test drives it: time passes only when the test says, timers fire
// on the loop's own clock, and posted tasks run when time passes or the test runs them. The
// engine's owner loop and the window's nested waits alike.
class ManualLoop : public OwnerLoop, public EventLoop
{
public:
    ~ManualLoop() override
    {
        for (Timer* timer : m_timers)
            timer->m_loop = nullptr;
    }

    // The loop's clock, in nanoseconds.
    std::int64_t now() const { return m_now; }
    std::function<std::int64_t()> clock() const
    {
        return [this] { return m_now; };
    }

    void post(std::function<void()> task) override { m_tasks.push_back(std::move(task)); }
    std::unique_ptr<LoopTimer> createTimer(std::function<void()> tick) override
    {
        return std::make_unique<Timer>(*this, std::move(tick));
    }
    // The window's nested wait: what the user does meanwhile (`duringWait`), then the time.
    void runFor(int milliseconds) override
    {
        waits.push_back(milliseconds);
        if (duringWait)
            std::exchange(duringWait, nullptr)();
        advance(milliseconds);
    }

    // Runs the posted tasks, and those they post.
    void runPending()
    {
        while (!m_tasks.empty()) {
            std::function<void()> task = std::move(m_tasks.front());
            m_tasks.pop_front();
            task();
        }
    }
    // Lets `milliseconds` pass: each timer fires at its times, in the order they come, and the
    // posted tasks run after each.
    void advance(double milliseconds)
    {
        const std::int64_t end = m_now + static_cast<std::int64_t>(milliseconds * 1e6);
        for (runPending();; runPending()) {
            Timer* next = nullptr;
            for (Timer* timer : m_timers)
                if (timer->m_active && timer->m_due <= end && (!next || timer->m_due < next->m_due))
                    next = timer;
            if (!next)
                break;
            m_now = std::max(m_now, next->m_due);
            next->m_due += next->m_interval;
            next->m_tick();
        }
        m_now = end;
    }

    std::vector<int> waits;           // every nested wait, in milliseconds
    std::function<void()> duringWait; // runs once, in the next nested wait

private:
    class Timer : public LoopTimer
    {
    public:
        Timer(ManualLoop& loop, std::function<void()> tick) : m_loop(&loop), m_tick(std::move(tick))
        {
            loop.m_timers.push_back(this);
        }
        ~Timer() override
        {
            if (m_loop)
                std::erase(m_loop->m_timers, this);
        }
        void start(int milliseconds) override
        {
            m_interval = std::max<std::int64_t>(milliseconds, 1) * 1000000;
            m_due = m_loop->m_now + m_interval;
            m_active = true;
        }
        void stop() override { m_active = false; }
        bool isActive() const override { return m_active; }

        ManualLoop* m_loop;
        std::function<void()> m_tick;
        std::int64_t m_interval = 0;
        std::int64_t m_due = 0;
        bool m_active = false;
    };

    std::int64_t m_now = 0;
    std::deque<std::function<void()>> m_tasks;
    std::vector<Timer*> m_timers;
};

} // namespace orvane
