// The file system asked on workers: a share that stops answering costs the caller a bounded
// wait and one worker, whatever is asked of it, and nothing once it answers again; a call that
// is merely slow, as on a busy machine, is waited for. Also how paths through links find their
// mount.
#include "platform/posix/boundedfilesystem.h"
#include "platform/posix/mountguard.h"
#include "platform/posix/mountvolumes.h"

#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <thread>

using namespace orvane;
using namespace std::chrono_literals;

namespace {

// Paths under /share hang until the share answers again; others answer at once. Each call asks
// the guard first, as the real file system does.
class ShareFiles : public FileSystem
{
public:
    PathKind pathKind(const std::string& path) override
    {
        return reach(path) ? PathKind::Folder : PathKind::NotReady;
    }
    std::optional<FolderListing> readFolder(const std::string& path) override
    {
        if (!reach(path))
            return std::nullopt;
        return FolderListing{path, {"Jazz"}};
    }
    std::vector<std::string> matchingFiles(const std::string& folder, const std::string&,
                                           std::size_t) override
    {
        if (!reach(folder))
            return {};
        // Busy, as a listing of a huge folder on a loaded machine is: working, and asleep for
        // moments at a time (a page, a lock), but never for long.
        for (const auto end = std::chrono::steady_clock::now() + m_busy;
             std::chrono::steady_clock::now() < end;)
            std::this_thread::sleep_for(5ms);
        return {"tone.wav"};
    }

    // Half at once; the rest once the share answers.
    void listMatchingFiles(const std::string& folder, const std::string&, std::size_t,
                           const std::function<void(FileBatch)>& found) override
    {
        if (!MountGuard::mayTouch(folder))
            return;
        found({{"b.wav", "d.wav"}, false});
        if (reach(folder))
            found({{"a.wav", "c.wav"}, false});
    }

    void stopShare() { setAnswering(false); }
    void startShare() { setAnswering(true); }
    void busyFor(std::chrono::milliseconds busy) { m_busy = busy; }
    int callsHeld() const { return m_held; }

private:
    bool reach(const std::string& path)
    {
        if (!MountGuard::mayTouch(path))
            return false;
        std::unique_lock lock(m_mutex);
        if (path.rfind("/share", 0) == 0 && !m_answering) {
            ++m_held;
            m_changed.wait(lock, [this] { return m_answering; });
        }
        return true;
    }
    void setAnswering(bool answering)
    {
        std::lock_guard lock(m_mutex);
        m_answering = answering;
        m_changed.notify_all();
    }

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_answering = true;
    std::atomic<int> m_held{0};
    std::chrono::milliseconds m_busy{0};
};

} // namespace

class TestBoundedFileSystem : public QObject
{
    Q_OBJECT

private slots:
    void aStoppedShareCostsOneWorkerAndNothingOnceItAnswers()
    {
        auto share = std::make_shared<ShareFiles>();
        auto guard = std::make_shared<MountGuard>([] {
            return std::vector<std::string>{"/", "/share"};
        });
        BoundedFileSystem files(share, guard, {}, 100ms);

        share->stopShare();
        QVERIFY(!files.readFolder("/share/Music"));
        QCOMPARE(files.pathKind("/share/Music/tone.wav"), PathKind::NotReady);
        QVERIFY(files.matchingFiles("/share", "*.wav", 10).empty());
        QCOMPARE(share->callsHeld(), 1);
        // The rest of the machine answers meanwhile.
        QCOMPARE(files.readFolder("/home")->subFolders, std::vector<std::string>{"Jazz"});

        // Once the held call returns, the share is asked again.
        share->startShare();
        QTRY_VERIFY(files.readFolder("/share/Music").has_value());
        QCOMPARE(files.pathKind("/share"), PathKind::Folder);
        QCOMPARE(share->callsHeld(), 1);
    }

    void aSlowListingComesInOrderThroughTheCallersLoopAndHoldsItsMount()
    {
        auto share = std::make_shared<ShareFiles>();
        auto guard = std::make_shared<MountGuard>([] {
            return std::vector<std::string>{"/", "/share"};
        });
        std::mutex mutex;
        std::vector<std::function<void()>> posted;
        BoundedFileSystem files(
            share, guard,
            [&](std::function<void()> task) {
                std::lock_guard lock(mutex);
                posted.push_back(std::move(task));
            },
            100ms);
        std::vector<std::string> names;
        bool last = false;
        const auto found = [&](FileBatch batch) {
            names.insert(names.end(), batch.names.begin(), batch.names.end());
            last = batch.last;
        };

        files.listMatchingFiles("/home", "*.wav", 10, found);
        QCOMPARE(names, (std::vector<std::string>{"a.wav", "b.wav", "c.wav", "d.wav"}));
        QVERIFY(last);

        names.clear();
        share->stopShare();
        files.listMatchingFiles("/share", "*.wav", 10, found);
        QCOMPARE(names, (std::vector<std::string>{"b.wav", "d.wav"}));
        QVERIFY(!last);
        QVERIFY(!files.readFolder("/share"));
        QCOMPARE(share->callsHeld(), 1);

        share->startShare();
        const auto takePosted = [&] {
            std::lock_guard lock(mutex);
            return std::exchange(posted, {});
        };
        QTRY_VERIFY(files.readFolder("/share").has_value());
        const auto runPosted = [&] {
            for (const auto& task : takePosted())
                task();
            return last;
        };
        QTRY_VERIFY(runPosted());
        QCOMPARE(names, (std::vector<std::string>{"b.wav", "d.wav", "a.wav", "c.wav"}));
        QVERIFY(last);
    }

    void aSlowCallOnABusyMachineIsWaitedFor()
    {
        auto share = std::make_shared<ShareFiles>();
        BoundedFileSystem files(share, std::make_shared<MountGuard>(), {}, 50ms);
        share->busyFor(400ms);
        QCOMPARE(files.matchingFiles("/home", "*.wav", 10), std::vector<std::string>{"tone.wav"});
    }

    void linksLeadToTheMountTheyPointInto()
    {
        QTemporaryDir dir;
        const std::string root = std::filesystem::canonical(dir.path().toStdString());
        std::filesystem::create_directories(root + "/share/Music");
        std::filesystem::create_directories(root + "/home");
        std::filesystem::create_directory_symlink(root + "/share", root + "/home/share");
        std::filesystem::create_directory_symlink("../share/Music", root + "/home/music");

        QCOMPARE(*MountGuard::resolve(root + "/home/share/Music/../Music"), root + "/share/Music");
        QCOMPARE(*MountGuard::resolve(root + "/home/music/tone.wav"),
                 root + "/share/Music/tone.wav");
        const std::vector<std::string> mounts = {"/", root + "/share", root + "/sh"};
        QCOMPARE(mountHolding(root + "/share/Music", mounts), root + "/share");
        QCOMPARE(mountHolding(root + "/shared", mounts), std::string("/"));
    }
};

QTEST_GUILESS_MAIN(TestBoundedFileSystem)
#include "tst_boundedfilesystem.moc"
