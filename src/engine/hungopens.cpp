#include "engine/hungopens.h"

namespace orvane {

std::string HungOpens::folderOf(const std::string& path)
{
    const std::size_t separator = path.rfind('/');
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

bool HungOpens::blocks(const std::string& path) const
{
    std::lock_guard lock(m_mutex);
    return m_folders.count(folderOf(path)) != 0;
}

bool HungOpens::giveUp(const std::string& path, Ticket& ticket)
{
    std::lock_guard lock(m_mutex);
    if (ticket.finished)
        return false;
    ticket.givenUp = true;
    ++m_folders[folderOf(path)];
    return true;
}

void HungOpens::finish(const std::string& path, Ticket& ticket)
{
    std::lock_guard lock(m_mutex);
    ticket.finished = true;
    if (!ticket.givenUp)
        return;
    const auto it = m_folders.find(folderOf(path));
    if (it != m_folders.end() && --it->second == 0)
        m_folders.erase(it);
}

} // namespace orvane
