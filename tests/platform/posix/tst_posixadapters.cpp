// The system adapters: the mount table read into drives, folder listings, the command line's
// named files, and the system facts.
#include "fakes/musicfolder.h"
#include "platform/posix/folderlisting.h"
#include "platform/posix/launcharguments.h"
#include "platform/posix/mountvolumes.h"
#include "platform/posix/posixfilesystem.h"
#include "platform/posix/posixsysteminfo.h"

#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <fstream>
#include <unistd.h>

using namespace orvane;

namespace {

std::string writeTable(const QTemporaryDir& dir, const std::string& text)
{
    const std::string path = dir.filePath(QStringLiteral("mounts")).toStdString();
    std::ofstream(path) << text;
    return path;
}

} // namespace

class TestPosixAdapters : public QObject
{
    Q_OBJECT

private slots:
    void drivesAreRootHomeAndRemovableMedia()
    {
        QTemporaryDir dir;
        const std::string table = "/dev/sda1 / ext4 rw 0 0\n"
                                  "proc /proc proc rw 0 0\n"
                                  "/dev/sda2 /home ext4 rw 0 0\n"
                                  "/dev/sdc1\t/mnt/backup ext4 rw 0 0\n\n"
                                  "/dev/sdb1 /media/anna/MY\\040STICK vfat rw 0 0\n"
                                  "tmpfs /run tmpfs rw 0 0\n"
                                  "/dev/sdd1 /run/media/anna/KEY vfat rw 0 0\n"
                                  "/dev/sde1 /run/media/bob/HIS vfat rw 0 0\n"
                                  "/dev/sdb1 /media/anna/MY\\040STICK vfat rw 0 0\n";
        MountVolumes volumes(writeTable(dir, table), "/home/anna", "anna");
        QCOMPARE(volumes.drives(),
                 std::vector<std::string>(
                     {"/", "/home", "/media/anna/MY STICK", "/mnt/backup", "/run/media/anna/KEY"}));
        QVERIFY(!volumes.reread());

        // Read again: what was unmounted has gone. A home on the root file system adds no drive.
        writeTable(dir, "/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 /media/usb vfat rw 0 0\n");
        QVERIFY(volumes.reread());
        QCOMPARE(volumes.drives(), std::vector<std::string>({"/", "/media/usb"}));
        // A drive is the longest mount above the path.
        QCOMPARE(volumes.driveOf("/media/usb/Songs/a.mid"), std::string("/media/usb"));
        QCOMPARE(volumes.driveOf("/media/usb2/x"), std::string("/"));
        // An unreadable table leaves the root.
        QCOMPARE(MountVolumes("/nonexistent/mounts", "/home/anna", "anna").drives(),
                 std::vector<std::string>({"/"}));
    }

    void listingMatchesSortsAndLimits()
    {
        MusicFolder folder{"b.wav", "A.wav",     "c.WAV", "a.wav",   ".h.wav",
                           "x.mid", "y.mid.bak", "amid",  "ÉTÉ.MID", "d.wav/"};
        using Names = std::vector<std::string>;
        QCOMPARE(listMatchingFiles(folder.path(), "*.WAV", 100),
                 (Names{"A.wav", "a.wav", "b.wav", "c.WAV"}));
        QCOMPARE(listMatchingFiles(folder.path(), "*.MID;*.RMI", 100), (Names{"x.mid", "ÉTÉ.MID"}));
        QCOMPARE(listMatchingFiles(folder.path(), "été.*", 100), Names{"ÉTÉ.MID"});
        QCOMPARE(listMatchingFiles(folder.path(), "*.WAV", 2).size(), std::size_t(2));
        QVERIFY(listMatchingFiles("/no/such/folder", "*", 100).empty());
        // Folders: made absolute and normal, their visible sub-folders by name in any case.
        PosixFileSystem files;
        const MusicFolder tree{"b/", "A/", ".hidden/", "c.wav"};
        const auto listing = files.readFolder(tree.path() + "/./b/../");
        QVERIFY(listing);
        QCOMPARE(listing->path, tree.path());
        QCOMPARE(listing->subFolders, (Names{"A", "b"}));
        for (const std::string& refused :
             {tree.entry("missing"), tree.entry("c.wav"), std::string()})
            QVERIFY(!files.readFolder(refused));
        QVERIFY(matchesPattern("a1.wav", "a?.WAV"));
        QVERIFY(!matchesPattern("a.txt", ";*.WAV"));
        // One backtrack point: a pathological pattern does not take exponential time.
        QVERIFY(!matchesPattern(std::string(5000, 'a') + "b", "*a*a*a*a*a*a*a*a*c"));
    }

    void namedFilesAndFoldersAreNoSwitchText()
    {
        MusicFolder tree{"Music/Pop/Queen/Bohemian.MID", "Waves/", "notes.txt", "bad\nname.txt"};
        const auto split = splitLaunchArguments({"/wav", tree.entry("Music/Pop/Queen/Bohemian.MID"),
                                                 "Waves/", "notes.txt", "bad\nname.txt",
                                                 "/dev/null", "gone.mid", "c:/music", "/M"},
                                                tree.path());
        QCOMPARE(split.paths, (std::vector<std::string>{tree.entry("Music/Pop/Queen/Bohemian.MID"),
                                                        tree.entry("Waves")}));
        QCOMPARE(split.switchText, std::string("/wav c:/music /M"));
        QCOMPARE(split.leftOut.size(), std::size_t(4));
        QVERIFY(
            split.leftOut[0].ends_with("notes.txt\": not a MIDI or WAV file (.mid, .rmi, .wav)"));
        QVERIFY(split.leftOut[1].ends_with("/bad\\nname.txt\": not a MIDI or WAV file (.mid, "
                                           ".rmi, .wav)"));
        QCOMPARE(split.leftOut[2],
                 std::string("orvane: left out \"/dev/null\": not an ordinary file"));
        QVERIFY(split.leftOut[3].ends_with("gone.mid\": no such file"));
    }
};

QTEST_GUILESS_MAIN(TestPosixAdapters)
#include "tst_posixadapters.moc"
