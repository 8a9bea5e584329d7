#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

namespace orvane {

// How long the program waits for a disk or share asleep in the kernel before it counts as not
// ready: short enough that the window does not seem to hang.
inline constexpr std::chrono::milliseconds kDiskWait{150};

// What a call on a thread of its own shares with its caller, who may stop waiting for it.
class CallState
{
public:
    // The calling thread: waits for the call to end. Past `bound` it gives up once the call is
    // seen asleep in the kernel throughout a look (a disk or share that does not answer), not
    // while it runs, waits for a processor or has slept only a moment: a busy machine is no
    // reason to give up. True when it has ended.
    bool waitWithin(std::chrono::milliseconds bound);
    // The calling thread: waits for the call to end, however long.
    void wait();

    // The call's thread: it has begun, and it has ended.
    void begin();
    void end();

private:
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_done = false;
    int m_thread = 0; // the call's thread id, once begun
};

// Runs `call` on a thread of its own and waits for its answer as CallState::waitWithin() does.
// Past the bound `giveUp` runs (when given); unless it returns false, the thread is left to end
// by itself, its answer dropped, and nothing is returned. `giveUp` returns false to have the
// answer waited for after all (the call has ended meanwhile, as far as it knows).
template <typename Answer>
std::optional<Answer> callWithin(std::chrono::milliseconds bound, std::function<Answer()> call,
                                 const std::function<bool()>& giveUp = {})
{
    struct Shared
    {
        CallState state;
        std::optional<Answer> answer;
    };
    auto shared = std::make_shared<Shared>();
    // Detached: a thread stuck in the kernel cannot be joined; it owns what it uses.
    std::thread([shared, call = std::move(call)] {
        shared->state.begin();
        std::optional<Answer> answer = call();
        shared->answer = std::move(answer);
        shared->state.end();
    }).detach();
    if (!shared->state.waitWithin(bound)) {
        if (!giveUp || giveUp())
            return std::nullopt;
        shared->state.wait();
    }
    return std::move(shared->answer);
}

} // namespace orvane
