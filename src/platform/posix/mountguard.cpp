#include "platform/posix/mountguard.h"

#include "platform/posix/mountvolumes.h"

#include <algorithm>
#include <climits>
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

MountGuard::MountGuard() : MountGuard([] { return readMountPoints(); }) {}

MountGuard::Scope::Scope(MountGuard& guard, std::shared_ptr<Ticket> ticket)
{
    t_current = {&guard, std::move(ticket), std::nullopt};
}

MountGuard::Scope::~Scope()
{
    t_current.guard->m_hung.finish(*t_current.ticket);
    t_current = {};
}

bool MountGuard::giveUp(const std::shared_ptr<Ticket>& ticket)
{
    return m_hung.giveUp(*ticket);
}

bool MountGuard::allows(const std::string& path, Ticket& ticket)
{
    if (!t_current.mounts)
        t_current.mounts = m_mountPoints();
    return m_hung.enter(ticket, mountHolding(path, *t_current.mounts));
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

} // namespace orvane
