#pragma once

#include <map>
#include <mutex>
#include <string>

namespace orvane {

// Calls given up on while they hang, counted by what they hang on (a mount, a folder). While
// one hangs on a key, calls for that key are turned away at once rather than each holding a
// thread of its own; once it returns, the key is free again. Shared between the callers and
// the calls' threads.
class HungCalls
{
public:
    // One call, as its caller and its thread see it; read and written only through HungCalls.
    struct Ticket
    {
        std::string key; // what the call is at now; frozen once it is given up
        bool finished = false;
        bool givenUp = false;
    };

    // The call's thread: true, with `key` as what it is at now, unless a call hangs on `key`.
    bool enter(Ticket& ticket, const std::string& key);
    // The caller: gives the call up; false when it has returned meanwhile. Else its key hangs
    // until it returns.
    bool giveUp(Ticket& ticket);
    // The call's thread: the call has returned.
    void finish(Ticket& ticket);

private:
    std::mutex m_mutex;
    std::map<std::string, int> m_hung; // key, calls given up on while at it
};

} // namespace orvane
