#include "platform/posix/mountguard.h"

#include "platform/posix/mountvolumes.h"

#include <climits>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {

namespace {

struct Current
{
    MountGuard* guard = nullptr;
    std::shared_ptr<MountGuard::Ticket> ticket;
    std::optional<std::vector<std::string>> mounts; // read once a call, when first needed
};
thread_local Current t_current;

bool isUnder(const std::string& path, const std::string& mount)
{
    if (mount == "/")
        return true;
    return path.compare(0, mount.size(), mount) == 0 &&
           (path.size() == mount.size() || path[mount.size()] == '/');
}

std::vector<std::string> processMountPoints()
{
    std::ifstream in("/proc/self/mounts");
    std::ostringstream text;
    text << in.rdbuf();
    return parseMountPoints(text.str());
}

// The parts of `path` between separators, "." and empty ones dropped.
std::vector<std::string> partsOf(const std::string& path)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('/', start), path.size());
        std::string part = path.substr(start, end - start);
        if (!part.empty() && part != ".")
            parts.push_back(std::move(part));
        start = end + 1;
    }
    return parts;
}

} // namespace

MountGuard::MountGuard(MountPoints mountPoints) : m_mountPoints(std::move(mountPoints)) {}

MountGuard::MountGuard() : MountGuard(&processMountPoints) {}

MountGuard::Scope::Scope(MountGuard& guard, std::shared_ptr<Ticket> ticket)
{
    t_current = {&guard, std::move(ticket), std::nullopt};
}

MountGuard::Scope::~Scope()
{
    t_current.guard->finish(*t_current.ticket);
    t_current = {};
}

bool MountGuard::giveUp(const std::shared_ptr<Ticket>& ticket)
{
    std::lock_guard lock(m_mutex);
    if (ticket->finished)
        return false;
    ticket->hung = true;
    ++m_hung[ticket->mount];
    return true;
}

void MountGuard::finish(Ticket& ticket)
{
    std::lock_guard lock(m_mutex);
    ticket.finished = true;
    if (!ticket.hung)
        return;
    const auto it = m_hung.find(ticket.mount);
    if (it != m_hung.end() && --it->second == 0)
        m_hung.erase(it);
}

bool MountGuard::allows(const std::string& path, Ticket& ticket)
{
    if (!t_current.mounts)
        t_current.mounts = m_mountPoints();
    std::string mount = mountOf(path, *t_current.mounts);
    std::lock_guard lock(m_mutex);
    if (m_hung.count(mount))
        return false;
    ticket.mount = std::move(mount);
    return true;
}

bool MountGuard::mayTouch(const std::string& path)
{
    return !t_current.guard || t_current.guard->allows(path, *t_current.ticket);
}

std::optional<std::string> MountGuard::resolve(const std::string& path)
{
    std::vector<std::string> pending = partsOf(path);
    std::reverse(pending.begin(), pending.end()); // next part last
    std::string resolved;
    int links = 0;
    while (!pending.empty()) {
        std::string part = std::move(pending.back());
        pending.pop_back();
        if (part == "..") {
            resolved.erase(resolved.empty() ? 0 : resolved.rfind('/'));
            continue;
        }
        const std::string next = resolved + '/' + part;
        if (!mayTouch(next))
            return std::nullopt;
        struct stat status;
        if (lstat(next.c_str(), &status) != 0) {
            resolved = next;
            for (auto it = pending.rbegin(); it != pending.rend(); ++it)
                resolved += '/' + *it;
            return resolved;
        }
        if (!S_ISLNK(status.st_mode) || ++links > 40) {
            resolved = next;
            continue;
        }
        char target[PATH_MAX];
        const ssize_t length = readlink(next.c_str(), target, sizeof target);
        if (length <= 0 || length == static_cast<ssize_t>(sizeof target)) {
            resolved = next;
            continue;
        }
        const std::string link(target, static_cast<std::size_t>(length));
        if (link.front() == '/')
            resolved.clear();
        std::vector<std::string> linked = partsOf(link);
        pending.insert(pending.end(), linked.rbegin(), linked.rend());
    }
    return resolved.empty() ? std::string("/") : resolved;
}

std::string MountGuard::mountOf(const std::string& path, const std::vector<std::string>& mounts)
{
    std::string best = "/";
    for (const std::string& mount : mounts) {
        if (mount.size() > best.size() && isUnder(path, mount))
            best = mount;
    }
    return best;
}

} // namespace orvane
