#include "app/common.h"
#include "fakes/fakeform.h"
#include "fakes/musicfolder.h"
#include "queue/addbackslash.h"

#include <QTest>

using namespace orvane;

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void loadPreparesTheWindowInOrder()
    {
        FakeForm f;
        f.system.appFolder = "/opt/orvane";
        bool checkedAtTypeChoice = false;
        f.window.fileType.onClick = [&f, &checkedAtTypeChoice] {
            // By the time the first file type is chosen: seeded, titled, help set, and the
            // media settings not yet written.
            QCOMPARE(f.random.seeds, 1);
            QCOMPARE(f.window.caption(), std::string("Vemor's 32-bit Music Player"));
            QCOMPARE(f.window.help.file, std::string("/opt/orvane/orvane.hlp"));
            QCOMPARE(f.window.help.command, 3);
            QCOMPARE(f.window.fileType.count(), 3);
            QVERIFY(f.window.media.log.empty());
            f.form.browser().cboFileType_Click();
            checkedAtTypeChoice = true;
        };
        f.form.Form_Load();
        QVERIFY(checkedAtTypeChoice);
        QCOMPARE(f.window.fileType.itemText(0), std::string("Music (*.mid;*.rmi;*.wav)"));
        QCOMPARE(f.window.fileType.itemText(1), std::string("Midi (*.mdi;*.rmi)"));
        QCOMPARE(f.window.fileType.itemText(2), std::string("Sound (*.wav)"));
        QCOMPARE(f.window.fileType.selectedIndex(), 0);
        QCOMPARE(f.window.file1.pattern(), std::string("*.MID;*.RMI;*.WAV"));
        const std::vector<std::string> settings{"Flag52=true", "Flag24=false", "Flag25=false",
                                                "Flag26=false"};
        QCOMPARE(f.window.media.log, settings);
        QCOMPARE(f.window.queue.count(), 0);
        QCOMPARE(f.window.state, MainWindowView::WindowState::Normal);
    }

    void theHelpFileLiesBesideTheExecutable()
    {
        FakeForm f;
        f.system.appFolder = "/";
        f.form.Form_Load();
        QCOMPARE(f.window.help.file, std::string("/orvane.hlp"));
    }

    void homeMachineNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("home");
        QTest::newRow("KESTROW") << "KESTROW" << true;
        QTest::newRow("OFFICE-KESTROW2") << "OFFICE-KESTROW2" << true;
        QTest::newRow("lower case") << "kestrow-laptop" << true;
        QTest::newRow("KESTRO") << "KESTRO" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("too long for the buffer") << "A-VERY-LONG-KESTROW-NAME" << false;
    }

    void homeMachineNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, home);
        FakeSystemInfo system;
        system.name = name.toStdString();
        QCOMPARE(IsHomeMachine(system), home);
    }

    void aFailedNameQueryIsNotHome()
    {
        FakeSystemInfo system;
        system.name = "KESTROW";
        system.nameQueryFails = true;
        QVERIFY(!IsHomeMachine(system));
    }

    void theHomeMachineStartsInItsMusicFolder()
    {
        MusicFolder started, home{"song.mid"};
        FakeForm f;
        f.system.name = "KESTROW";
        f.system.current = started.path();
        f.system.homeFolder = home.path();
        f.system.existingFolders = {home.path()};
        f.form.Form_Load();
        QCOMPARE(f.system.current, home.path());
        QCOMPARE(f.window.dir1.path(), home.path());
        QCOMPARE(f.window.file1.count(), 1);
    }

    void withoutTheHomeFolderStartUpStaysWhereItStarted()
    {
        MusicFolder started{"a.wav"};
        FakeForm f;
        f.system.name = "KESTROW";
        f.system.current = started.path();
        f.form.Form_Load();
        QCOMPARE(f.window.dir1.path(), started.path());
        QCOMPARE(f.window.file1.count(), 1);
    }

    void anotherMachineStaysWhereItStarted()
    {
        MusicFolder started, home;
        FakeForm f;
        f.system.name = "KESTRO";
        f.system.current = started.path();
        f.system.homeFolder = home.path();
        f.system.existingFolders = {home.path()};
        f.form.Form_Load();
        QCOMPARE(f.window.dir1.path(), started.path());
    }

    void trimAtNul()
    {
        const std::string buffer("abc\0xyz", 7);
        QCOMPARE(TrimAtNul(buffer, 1), std::string("abc"));
        QCOMPARE(TrimAtNul(buffer, 2), std::string("bc"));
        QCOMPARE(TrimAtNul(std::string("\0abc", 4), 1), std::string());
        QCOMPARE(TrimAtNul("abc", 1), std::string("abc")); // no NUL: to the end
        QCOMPARE(TrimAtNul("abc", 9), std::string());
    }

    void addBackslash()
    {
        QCOMPARE(AddBackslash("/music"), std::string("/music/"));
        QCOMPARE(AddBackslash("/"), std::string("/"));
        QCOMPARE(AddBackslash("/music/"), std::string("/music/"));
        QCOMPARE(AddBackslash(""), std::string("/"));
    }

    void leavingClosesTheDeviceFirst()
    {
        FakeForm f;
        f.window.queue.addItem("/m/a.wav");
        f.form.player().PlayQueueHead();
        f.form.cmdExit_Click();
        f.form.exit_Click();
        QCOMPARE(f.window.unloads, 2);
        f.form.Form_Unload();
        QCOMPARE(f.window.media.log.back(), std::string("Close"));
        QCOMPARE(f.window.media.mode(), MediaMode::NotOpen);
    }

    void helpShowsTheContents()
    {
        FakeForm f;
        f.form.Form_Load();
        f.form.HelpContents_Click();
        QCOMPARE(f.window.help.shown, std::vector<int>{3});
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
