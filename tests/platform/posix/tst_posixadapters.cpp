// The system adapters: the mount table read into drives, and the system facts.
#include "platform/posix/mountvolumes.h"
#include "platform/posix/posixsysteminfo.h"

#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <fstream>
#include <unistd.h>

using namespace orvane;

class TestPosixAdapters : public QObject
{
    Q_OBJECT

private slots:
    void drivesAreRootHomeAndRemovableMedia();
    void driveOfPicksTheLongestMountAbovePath();
    void unreadableMountTableLeavesTheRoot();
    void computerNameFollowsTheBufferContract();
    void foldersAndCommandLine();
};

namespace {

std::string writeTable(const QTemporaryDir& dir, const std::string& text)
{
    const std::string path = dir.filePath(QStringLiteral("mounts")).toStdString();
    std::ofstream(path) << text;
    return path;
}

} // namespace

void TestPosixAdapters::drivesAreRootHomeAndRemovableMedia()
{
    QTemporaryDir dir;
    const std::string table = "/dev/sda1 / ext4 rw 0 0\n"
                              "proc /proc proc rw 0 0\n"
                              "/dev/sda2 /home ext4 rw 0 0\n"
                              "/dev/sdc1 /mnt/backup ext4 rw 0 0\n"
                              "/dev/sdb1 /media/anna/MY\\040STICK vfat rw 0 0\n"
                              "tmpfs /run tmpfs rw 0 0\n"
                              "/dev/sdd1 /run/media/anna/KEY vfat rw 0 0\n"
                              "/dev/sde1 /run/media/bob/HIS vfat rw 0 0\n"
                              "/dev/sdb1 /media/anna/MY\\040STICK vfat rw 0 0\n";
    MountVolumes volumes(writeTable(dir, table), "/home/anna", "anna");
    QCOMPARE(volumes.drives(), std::vector<std::string>({"/", "/home", "/media/anna/MY STICK",
                                                         "/mnt/backup", "/run/media/anna/KEY"}));
    QVERIFY(!volumes.reread());

    // Read again: what was unmounted has gone. A home on the root file system adds no drive.
    writeTable(dir, "/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 /media/usb vfat rw 0 0\n");
    QVERIFY(volumes.reread());
    QCOMPARE(volumes.drives(), std::vector<std::string>({"/", "/media/usb"}));
}

void TestPosixAdapters::driveOfPicksTheLongestMountAbovePath()
{
    QTemporaryDir dir;
    const MountVolumes volumes(writeTable(dir, "/dev/sda1 / ext4 rw 0 0\n"
                                               "/dev/sdb1 /media/usb vfat rw 0 0\n"),
                               "/home/anna", "anna");
    QCOMPARE(volumes.driveOf("/media/usb/Songs/a.mid"), std::string("/media/usb"));
    QCOMPARE(volumes.driveOf("/media/usb"), std::string("/media/usb"));
    QCOMPARE(volumes.driveOf("/media/usb2/x"), std::string("/"));
    QCOMPARE(volumes.driveOf("/home/anna"), std::string("/"));
}

void TestPosixAdapters::unreadableMountTableLeavesTheRoot()
{
    const MountVolumes volumes("/nonexistent/mounts", "/home/anna", "anna");
    QCOMPARE(volumes.drives(), std::vector<std::string>({"/"}));
    QCOMPARE(volumes.driveOf("/anything"), std::string("/"));
}

void TestPosixAdapters::computerNameFollowsTheBufferContract()
{
    const PosixSystemInfo system("");
    char expected[256] = {};
    QCOMPARE(gethostname(expected, sizeof expected - 1), 0);
    const std::uint32_t length = static_cast<std::uint32_t>(std::strlen(expected));

    char buffer[256];
    std::memset(buffer, 'x', sizeof buffer);
    std::uint32_t size = sizeof buffer;
    QVERIFY(system.computerName(buffer, size));
    QCOMPARE(size, length);
    QCOMPARE(std::string(buffer), std::string(expected));

    // Too small for the name and its NUL: the buffer is left alone.
    char tooSmall[4] = {'a', 'b', 'c', 'd'};
    std::uint32_t smallSize = length; // one short of the NUL
    if (length < sizeof tooSmall) {
        QSKIP("host name too short to overflow the test buffer");
    }
    QVERIFY(!system.computerName(tooSmall, smallSize));
    QCOMPARE(std::string(tooSmall, 4), std::string("abcd"));
}

void TestPosixAdapters::foldersAndCommandLine()
{
    PosixSystemInfo system("/Q /mid");
    QCOMPARE(system.commandLine(), std::string("/Q /mid"));

    QCOMPARE(system.applicationFolder(), QCoreApplication::applicationDirPath().toStdString());
    QVERIFY(system.homeMusicFolder().size() > std::string("/Sound").size());
    QVERIFY(system.homeMusicFolder().ends_with("/Sound"));

    const std::string start = system.currentFolder();
    QTemporaryDir dir;
    QVERIFY(system.setCurrentFolder(dir.path().toStdString()));
    QCOMPARE(system.currentFolder(), dir.path().toStdString());
    QVERIFY(!system.setCurrentFolder(dir.filePath(QStringLiteral("missing")).toStdString()));
    QCOMPARE(system.currentFolder(), dir.path().toStdString());
    QVERIFY(system.setCurrentFolder(start));
}

QTEST_GUILESS_MAIN(TestPosixAdapters)
#include "tst_posixadapters.moc"
