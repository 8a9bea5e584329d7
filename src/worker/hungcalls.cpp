#include "worker/hungcalls.h"

namespace orvane {

bool HungCalls::enter(Ticket& ticket, const std::string& key)
{
    std::lock_guard lock(m_mutex);
    if (m_hung.count(key) != 0)
        return false;
    // A call given up on keeps the key it hung on until it returns, wherever it goes next.
    if (!ticket.givenUp)
        ticket.key = key;
    return true;
}

bool HungCalls::giveUp(Ticket& ticket)
{
    std::lock_guard lock(m_mutex);
    if (ticket.finished)
        return false;
    ticket.givenUp = true;
    ++m_hung[ticket.key];
    return true;
}

void HungCalls::finish(Ticket& ticket)
{
    std::lock_guard lock(m_mutex);
    ticket.finished = true;
    if (!ticket.givenUp)
        return;
    const auto it = m_hung.find(ticket.key);
    if (it != m_hung.end() && --it->second == 0)
        m_hung.erase(it);
}

} // namespace orvane
