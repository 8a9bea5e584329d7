#pragma once

#include "worker/hungcalls.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// Keeps a mount that stops answering (a network share whose server is gone, a stalled disk)
// from holding more than one worker. A worker runs its calls inside a Scope and, before each
// call that reaches a path, asks mayTouch() with that path free of links (see resolve()).
// Once the worker's caller gives up waiting for it, the mount it is in counts as hung: any
// worker is told no at once for paths on it, until the hung call returns.
class MountGuard
{
public:
    // The mount points, as /proc/self/mounts lists them.
    using MountPoints = std::function<std::vector<std::string>()>;
    // What one call shares between its caller and its worker: the mount it last reached.
    using Ticket = HungCalls::Ticket;

    explicit MountGuard(MountPoints mountPoints);
    // Over this process's mount table.
    MountGuard();

    // The worker thread's call for `ticket`, from construction to destruction.
    class Scope
    {
    public:
        Scope(MountGuard& guard, std::shared_ptr<Ticket> ticket);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };

    // Caller: gives up waiting for `ticket`'s call; false when it has finished meanwhile, else
    // its mount counts as hung until it returns.
    bool giveUp(const std::shared_ptr<Ticket>& ticket);

    // Worker: true when `path` (absolute, free of links) may be reached now; false while its
    // mount hangs. Outside a Scope always true.
    static bool mayTouch(const std::string& path);
    // Worker: `path` (absolute) with every link in it followed, each part reached only when
    // mayTouch() allows; nothing when a part's mount hangs. A part that is missing ends the
    // following: the rest is appended as it stands.
    static std::optional<std::string> resolve(const std::string& path);

private:
    bool allows(const std::string& path, Ticket& ticket);

    MountPoints m_mountPoints;
    HungCalls m_hung; // by mount point
};

} // namespace orvane
