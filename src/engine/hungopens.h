#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace orvane {

// The folders whose files' opening hangs (a share that has stopped answering). While one open
// there hangs, the others fail at once rather than each holding a thread of its own; the next
// after it returns is tried again. Shared between the owner and the opening threads.
class HungOpens
{
public:
    // One open, as its owner and its thread see it.
    struct Ticket
    {
        bool finished = false;
        bool givenUp = false;
    };

    // Owner: true while an open of a file in `path`'s folder hangs.
    bool blocks(const std::string& path) const;
    // Owner: gives up the open of `path`; false when it has returned meanwhile.
    bool giveUp(const std::string& path, Ticket& ticket);
    // The opening thread: the open of `path` has returned.
    void finish(const std::string& path, Ticket& ticket);

private:
    static std::string folderOf(const std::string& path);

    mutable std::mutex m_mutex;
    std::map<std::string, int> m_folders; // folder, opens that hang there
};

} // namespace orvane
