#pragma once

#include "platform/aboutview.h"
#include "platform/helpviewer.h"
#include "platform/posix/posixfilesystem.h"
#include "platform/programlauncher.h"
#include "platform/systeminfo.h"
#include "platform/volumes.h"
#include "queue/randomsource.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace orvane {

class FakeSystemInfo : public SystemInfo
{
public:
    bool computerName(char* buffer, std::uint32_t& size) const override
    {
        if (name.size() + 1 > size)
            return false;
        std::memcpy(buffer, name.c_str(), name.size() + 1);
        size = static_cast<std::uint32_t>(name.size());
        return true;
    }
    std::string applicationFolder() const override { return appFolder; }
    std::string currentFolder() const override { return current; }
    bool setCurrentFolder(const std::string& path) override
    {
        if (std::find(existingFolders.begin(), existingFolders.end(), path) ==
            existingFolders.end())
            return false;
        current = path;
        return true;
    }
    std::string commandLine() const override { return arguments; }
    std::vector<std::string> namedPaths() const override { return paths; }
    std::string homeMusicFolder() const override { return homeFolder; }

    std::string name;
    std::string appFolder = "/opt/orvane";
    std::string current = "/";
    std::string homeFolder = "/home/user/Sound";
    std::vector<std::string> existingFolders;
    std::string arguments;
    std::vector<std::string> paths;
};

// The real file system, in the tests' temporary folders; folders in `unreadable` fail to open
// as a drive without a medium does. Folders in `slow` list every other file at once and the
// rest when the test calls restOfListing().
class FakeFileSystem : public PosixFileSystem
{
public:
    std::optional<FolderListing> readFolder(const std::string& path) override
    {
        ++folderReads;
        return unreadable.count(path) ? std::nullopt : PosixFileSystem::readFolder(path);
    }
    void listMatchingFiles(const std::string& folder, const std::string& pattern, std::size_t limit,
                           const std::function<void(FileBatch)>& found) override
    {
        if (!slow.count(folder))
            return PosixFileSystem::listMatchingFiles(folder, pattern, limit, found);
        FileBatch now{{}, false}, later;
        for (std::string& name : matchingFiles(folder, pattern, limit))
            (now.names.size() > later.names.size() ? later : now).names.push_back(name);
        found(now);
        restOfListing = [found, later] { found(later); };
    }

    std::set<std::string> unreadable;
    std::set<std::string> slow;
    std::function<void()> restOfListing;
    int folderReads = 0;
};

// Every mount point given is a drive; "/" always is.
class FakeVolumes : public Volumes
{
public:
    std::vector<std::string> drives() const override { return mounts; }
    std::string driveOf(const std::string& path) const override
    {
        std::string best = "/";
        for (const std::string& mount : mounts) {
            const bool above =
                path == mount ||
                (path.rfind(mount, 0) == 0 && (mount.back() == '/' || path[mount.size()] == '/'));
            if (above && mount.size() > best.size())
                best = mount;
        }
        return best;
    }

    std::vector<std::string> mounts{"/"};
};

class FakeHelpViewer : public HelpViewer
{
public:
    void setHelpFile(const std::string& path) override { file = path; }
    void setHelpCommand(int helpCommand) override { command = helpCommand; }
    void showHelp() override { shown.push_back(command); }
    void showTopic(int topic) override { shown.push_back(topic); }

    std::string file;
    int command = 0;
    std::vector<int> shown;
};

class FakeLauncher : public ProgramLauncher
{
public:
    bool startDetached(const std::string& program, const std::vector<std::string>&) override
    {
        attempts.push_back(program);
        return std::find(available.begin(), available.end(), program) != available.end();
    }

    std::vector<std::string> available;
    std::vector<std::string> attempts;
};

// Returns the given draws in turn, then 0.
class FakeRandom : public RandomSource
{
public:
    void seedFromClock() override { ++seeds; }
    float next() override { return m_drawn < draws.size() ? draws[m_drawn++] : 0.0f; }

    std::vector<float> draws;
    int seeds = 0;

private:
    std::size_t m_drawn = 0;
};

// The tests of the logic and of the main window open no About window; the real one has tests
// of its own.
class FakeAboutWindowFactory : public AboutWindowFactory
{
public:
    std::unique_ptr<AboutView> load() override { throw std::logic_error("no About window here"); }
};

} // namespace orvane
