// Lists a folder of 32767 music files and queues, shuffles and clears them through the real
// main window (offscreen unless a platform is chosen), each beside a plain baseline measured
// in the same run. Figures are medians of several rounds.

#include "platform/posix/folderlisting.h"
#include "platform/qt/orvanestyle.h"
#include "platform/qt/windowrig.h"

#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <functional>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

using namespace orvane;

namespace {

constexpr int kFiles = kMaxListEntries;
constexpr int kRounds = 5;

double milliseconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The median of `kRounds` timed runs of `work`, each after an untimed `prepare`.
double median(const std::function<void()>& prepare, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int round = 0; round < kRounds; ++round) {
        prepare();
        times.push_back(milliseconds(work));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

int readdirCount(const std::string& folder)
{
    int names = 0;
    if (DIR* dir = opendir(folder.c_str())) {
        while (readdir(dir))
            ++names;
        closedir(dir);
    }
    return names;
}

void report(const char* what, double figure, const char* baselineWhat, double baseline)
{
    std::printf("%-34s %8.2f ms   | baseline %-34s %8.2f ms   (%s)\n", what, figure, baselineWhat,
                baseline, figure < 100.0 ? "under 100 ms" : "OVER 100 ms");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyOrvaneStyle(app);

    QTemporaryDir temp;
    const std::string folder = temp.path().toStdString();
    for (int i = 0; i < kFiles; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/Track %05d.mid", (i * 7919) % kFiles);
        const int fd = ::open((folder + name).c_str(), O_CREAT | O_WRONLY, 0644);
        if (fd < 0) {
            std::fprintf(stderr, "cannot create the test files in %s\n", folder.c_str());
            return 1;
        }
        ::close(fd);
    }

    WindowRig rig;
    MainWindow& window = rig.window;
    const FormModel& model = rig.model();
    rig.system.setCurrentFolder("/");
    rig.form.Form_Load();
    window.show();
    QApplication::processEvents();
    rig.form.Dir1_Open(folder);
    QApplication::processEvents();
    if (model.File1.count() != kFiles) {
        std::fprintf(stderr, "listed %d files, expected %d\n", model.File1.count(), kFiles);
        return 1;
    }

    auto* queueAll = window.findChild<QPushButton*>(QStringLiteral("cmdQAll"));
    auto* randomise = window.findChild<QPushButton*>(QStringLiteral("cmdRnd"));
    auto* clearAll = window.findChild<QPushButton*>(QStringLiteral("cmdClear"));
    const ListModel& queue = model.lstMusicQ;
    const auto clearQuietly = [&] {
        clearAll->click();
        QApplication::processEvents();
    };
    // Each figure includes the window handling the events the change leaves, paint included.
    const auto andShow = [](const std::function<void()>& work) {
        return [work] {
            work();
            QApplication::processEvents();
        };
    };

    std::printf("%d matching files, median of %d rounds, platform %s\n\n", kFiles, kRounds,
                qPrintable(QGuiApplication::platformName()));

    const double readdirMs = median([] {}, [&] { readdirCount(folder); });
    // Choosing the file type again lists the folder afresh, as a new folder or pattern does.
    const double listMs = median([] {}, andShow([&] { rig.form.cboFileType_Pick(0); }));
    report("File1 lists the folder", listMs, "readdir of the folder", readdirMs);
    const double matchMs =
        median([] {}, [&] { listMatchingFiles(folder, "*.MID;*.RMI;*.WAV", kMaxListEntries); });
    report("  of which the listing itself", matchMs, "readdir of the folder", readdirMs);

    const std::string prefix = folder + "/";
    std::deque<std::string> plain;
    const double appendMs = median([&] { plain.clear(); },
                                   [&] {
                                       for (int i = 0; i < kFiles; ++i)
                                           plain.push_back(prefix + model.File1.item(i));
                                   });
    const double queueAllMs = median(clearQuietly, andShow([&] { queueAll->click(); }));
    report("Queue All", queueAllMs, "append the paths to a deque", appendMs);

    std::mt19937 engine(1);
    const double shuffleMs = median(
        [&] {
            plain.clear();
            for (int i = 0; i < kFiles; ++i)
                plain.push_back(prefix + model.File1.item(i));
        },
        [&] { std::shuffle(plain.begin(), plain.end(), engine); });
    const double randomiseMs = median(clearQuietly, andShow([&] { randomise->click(); }));
    report("Randomise", randomiseMs, "shuffle the paths in a deque", shuffleMs);

    const double popMs =
        median([&] { plain.assign(static_cast<std::size_t>(kFiles), prefix + "Track 00000.mid"); },
               [&] {
                   while (!plain.empty())
                       plain.pop_front();
               });
    const double clearMs = median(
        [&] {
            clearQuietly();
            queueAll->click();
            QApplication::processEvents();
        },
        andShow([&] { clearAll->click(); }));
    report("Clear All", clearMs, "pop the paths off a deque's front", popMs);

    if (queue.count() != 0)
        std::fprintf(stderr, "the queue is not empty at the end\n");
    return 0;
}
