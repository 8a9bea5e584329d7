#include "fakes/fakeplatform.h"

#include "platform/listcontrol.h"
#include "platform/posix/folderlisting.h"
#include "platform/posix/launcharguments.h"

#include <algorithm>
#include <cstring>

namespace orvane {

bool FakeSystemInfo::computerName(char* buffer, std::uint32_t& size) const
{
    if (nameQueryFails || name.size() + 1 > size)
        return false;
    std::memcpy(buffer, name.c_str(), name.size() + 1);
    size = static_cast<std::uint32_t>(name.size());
    return true;
}

bool FakeSystemInfo::setCurrentFolder(const std::string& path)
{
    if (std::find(existingFolders.begin(), existingFolders.end(), path) == existingFolders.end())
        return false;
    current = path;
    return true;
}

PathKind FakeSystemInfo::pathKind(const std::string& path) const
{
    return classifyPath(path);
}

std::vector<std::string> FakeSystemInfo::matchingFiles(const std::string& folder,
                                                       const std::string& pattern) const
{
    return listMatchingFiles(folder, pattern, kMaxListEntries);
}

std::string FakeVolumes::driveOf(const std::string& path) const
{
    std::string best = "/";
    for (const std::string& mount : mounts) {
        const bool above = path == mount || (path.rfind(mount, 0) == 0 &&
                                             (mount.back() == '/' || path[mount.size()] == '/'));
        if (above && mount.size() > best.size())
            best = mount;
    }
    return best;
}

void FakeEventLoop::runFor(int milliseconds)
{
    waits.push_back(milliseconds);
    if (duringWait) {
        auto once = std::move(duringWait);
        duringWait = nullptr;
        once();
    }
}

std::unique_ptr<Timer> FakeEventLoop::createTimer(std::function<void()>)
{
    return std::make_unique<FakeTimer>();
}

bool FakeLauncher::startDetached(const std::string& program, const std::vector<std::string>&)
{
    attempts.push_back(program);
    return std::find(available.begin(), available.end(), program) != available.end();
}

float FakeRandom::next()
{
    return drawn < draws.size() ? draws[drawn++] : 0.0f;
}

} // namespace orvane
