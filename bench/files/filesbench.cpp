// Lists an empty folder, a folder of 32767 music files and one of 100000 files of which ten
// match, through the file system as the program asks it (a worker per call, the caller waiting
// with a bound), each beside a bare readdir of the same folder. Figures are medians of several
// rounds, in milliseconds of the caller's wait.

#include "platform/posix/boundedfilesystem.h"
#include "platform/posix/mountguard.h"
#include "platform/posix/posixfilesystem.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

using namespace orvane;

namespace {

constexpr int kRounds = 7;
constexpr const char* kPattern = "*.mid;*.rmi;*.wav";

double median(const std::function<void()>& work)
{
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(
                            std::chrono::steady_clock::now() - start)
                            .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void readdirAll(const std::string& folder)
{
    if (DIR* dir = opendir(folder.c_str())) {
        while (readdir(dir)) {
        }
        closedir(dir);
    }
}

bool fill(const std::string& folder, int files, int matching)
{
    std::filesystem::create_directories(folder);
    for (int i = 0; i < files; ++i) {
        char name[40];
        std::snprintf(name, sizeof name, i < matching ? "/Track %06d.mid" : "/note %06d.txt", i);
        const int fd = ::open((folder + name).c_str(), O_CREAT | O_WRONLY, 0644);
        if (fd < 0)
            return false;
        ::close(fd);
    }
    return true;
}

} // namespace

int main()
{
    char pattern[] = "/tmp/orvane-bench-files.XXXXXX";
    if (!mkdtemp(pattern)) {
        std::fprintf(stderr, "cannot make a folder under /tmp\n");
        return 1;
    }
    const std::string root = pattern;
    struct Case
    {
        const char* what;
        std::string folder;
        int files;
        int matching;
    };
    const Case cases[] = {{"empty folder", root + "/empty", 0, 0},
                          {"32767 music files", root + "/music", 32767, 32767},
                          {"100000 files, 10 music", root + "/huge", 100000, 10}};
    for (const Case& each : cases) {
        if (!fill(each.folder, each.files, each.matching)) {
            std::fprintf(stderr, "cannot create the files in %s\n", each.folder.c_str());
            return 1;
        }
    }

    BoundedFileSystem files(std::make_shared<PosixFileSystem>(), std::make_shared<MountGuard>());
    std::printf("median of %d rounds, the caller's wait\n\n", kRounds);
    std::printf("%-24s %14s %14s %14s\n", "", "file list", "folder list", "readdir");
    for (const Case& each : cases) {
        std::size_t listed = 0;
        const double listMs =
            median([&] { listed = files.matchingFiles(each.folder, kPattern, 32767).size(); });
        const double folderMs = median([&] { files.readFolder(each.folder); });
        const double readdirMs = median([&] { readdirAll(each.folder); });
        std::printf("%-24s %11.2f ms %11.2f ms %11.2f ms   (%zu listed)\n", each.what, listMs,
                    folderMs, readdirMs, listed);
    }
    std::filesystem::remove_all(root);
    return 0;
}
