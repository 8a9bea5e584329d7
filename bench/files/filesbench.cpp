// Lists an empty folder, a folder of 32767 music files and one of 100000 files of which ten
// match, through the file system as the program asks it (a worker per call, the caller waiting
// with a bound), each beside a bare readdir of the same folder. Figures are medians of several
// rounds, in milliseconds of the caller's wait. Then what a slow disk's listing costs the window:
// 32767 names filled into the file list in batches as they come (in the folder's own order, each
// batch in order), beside the same names listed at once.

#include "browser/namesinorder.h"
#include "model/listmodel.h"
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
#include <random>
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
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
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

// The list filled with `names` in batches of `size`, each in order; the slowest batch in ms.
double fillInBatches(std::vector<std::string> names, std::size_t size)
{
    ListModel list;
    double slowest = 0;
    for (std::size_t first = 0; first < names.size(); first += size) {
        std::vector<std::string> batch(names.begin() + static_cast<long>(first),
                                       names.begin() +
                                           static_cast<long>(std::min(first + size, names.size())));
        std::sort(batch.begin(), batch.end());
        const auto start = std::chrono::steady_clock::now();
        insertInOrder(list, std::move(batch));
        slowest = std::max(slowest, std::chrono::duration<double, std::milli>(
                                        std::chrono::steady_clock::now() - start)
                                        .count());
    }
    return slowest;
}

void printFilling()
{
    std::vector<std::string> names;
    for (int i = 0; i < kMaxListEntries; ++i)
        names.push_back("track " + std::to_string(100000 + i) + ".mid");
    std::shuffle(names.begin(), names.end(), std::mt19937(7)); // as a directory hands them
    std::printf("\n%-34s %14s %14s\n", "32767 names into the file list", "all batches",
                "slowest batch");
    for (const std::size_t size : {1000, 8000}) {
        double slowest = 0;
        const double total = median([&] { slowest = fillInBatches(names, size); });
        std::printf("%-34s %11.2f ms %11.2f ms\n",
                    ("in batches of " + std::to_string(size)).c_str(), total, slowest);
    }
    const double atOnce = median([&] {
        ListModel list;
        std::vector<std::string> sorted = names;
        std::sort(sorted.begin(), sorted.end());
        list.assign(std::move(sorted));
    });
    std::printf("%-34s %11.2f ms\n", "at once (baseline)", atOnce);
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

    BoundedFileSystem files(std::make_shared<PosixFileSystem>(), std::make_shared<MountGuard>(),
                            {});
    std::printf("median of %d rounds, the caller's wait\n\n", kRounds);
    std::printf("%-24s %14s %14s %14s\n", "", "file list", "folder list", "readdir");
    for (const Case& each : cases) {
        std::size_t listed = 0;
        const double listMs = median([&] {
            listed = 0;
            files.listMatchingFiles(each.folder, kPattern, kMaxListEntries,
                                    [&listed](FileBatch batch) { listed += batch.names.size(); });
        });
        const double folderMs = median([&] { files.readFolder(each.folder); });
        const double readdirMs = median([&] { readdirAll(each.folder); });
        std::printf("%-24s %11.2f ms %11.2f ms %11.2f ms   (%zu listed)\n", each.what, listMs,
                    folderMs, readdirMs, listed);
    }
    std::filesystem::remove_all(root);
    printFilling();
    return 0;
}
