#pragma once

#include "platform/eventloop.h"
#include "platform/helpviewer.h"
#include "platform/programlauncher.h"
#include "platform/systeminfo.h"
#include "platform/volumes.h"
#include "queue/randomsource.h"

#include <functional>
#include <string>
#include <vector>

namespace orvane {

class FakeSystemInfo : public SystemInfo
{
public:
    bool computerName(char* buffer, std::uint32_t& size) const override;
    std::string applicationFolder() const override { return appFolder; }
    std::string currentFolder() const override { return current; }
    bool setCurrentFolder(const std::string& path) override;
    std::string commandLine() const override { return arguments; }
    std::vector<std::string> namedPaths() const override { return paths; }
    // The real file system's answers: the logic tests work in temporary folders.
    PathKind pathKind(const std::string& path) const override;
    std::vector<std::string> matchingFiles(const std::string& folder,
                                           const std::string& pattern) const override;
    std::string homeMusicFolder() const override { return homeFolder; }

    std::string name;
    bool nameQueryFails = false;
    std::string appFolder = "/opt/orvane";
    std::string current = "/";
    std::string homeFolder = "/home/user/Sound";
    std::vector<std::string> existingFolders;
    std::string arguments;
    std::vector<std::string> paths;
};

// Every mount point given is a drive; "/" always is.
class FakeVolumes : public Volumes
{
public:
    std::vector<std::string> drives() const override { return mounts; }
    std::string driveOf(const std::string& path) const override;

    std::vector<std::string> mounts{"/"};
};

class FakeTimer : public Timer
{
public:
    void start(int milliseconds) override { interval = milliseconds; }
    void stop() override { interval = 0; }
    bool isActive() const override { return interval > 0; }

    int interval = 0;
};

// runFor() runs `duringWait` once (what the user does meanwhile), then returns.
class FakeEventLoop : public EventLoop
{
public:
    void post(std::function<void()> task) override { posted.push_back(std::move(task)); }
    void runFor(int milliseconds) override;
    std::unique_ptr<Timer> createTimer(std::function<void()> tick) override;

    std::vector<int> waits;
    std::function<void()> duringWait;
    std::vector<std::function<void()>> posted;
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
    bool startDetached(const std::string& program,
                       const std::vector<std::string>& arguments) override;

    std::vector<std::string> available;
    std::vector<std::string> attempts;
};

// Returns the given draws in turn, then 0.
class FakeRandom : public RandomSource
{
public:
    void seedFromClock() override { ++seeds; }
    float next() override;

    std::vector<float> draws;
    std::size_t drawn = 0;
    int seeds = 0;
};

} // namespace orvane
