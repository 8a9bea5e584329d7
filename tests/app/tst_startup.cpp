#include "app/common.h"
#include "app/showabout.h"
#include "app/volumemixer.h"
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
        // Without its home folder, or on another computer, start-up stays where it began.
        for (const char* name : {"KESTROW", "KESTRO"}) {
            FakeForm other;
            other.system.name = name;
            other.system.current = started.path();
            other.system.homeFolder = home.path();
            if (std::string(name) == "KESTRO")
                other.system.existingFolders = {home.path()};
            other.form.Form_Load();
            QCOMPARE(other.window.dir1.path(), started.path());
        }
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

    void leavingClosesTheDeviceFirstAndHelpShowsTheContents()
    {
        FakeForm f;
        f.form.Form_Load();
        f.form.HelpContents_Click();
        QCOMPARE(f.window.help.shown, std::vector<int>{HelpViewer::kHelpContents});
        f.window.queue.addItem("/m/a.wav");
        f.form.player().PlayQueueHead();
        f.form.cmdExit_Click();
        f.form.exit_Click();
        QCOMPARE(f.window.unloads, 2);
        f.form.Form_Unload();
        QCOMPARE(f.window.media.log.back(), std::string("Close"));
        QCOMPARE(f.window.media.mode(), MediaMode::NotOpen);
    }


    void theAboutWindowIsCentredUnroundedTitledAndClosedAnew_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QPointF>("place");
        QTest::addColumn<bool>("pressOk");
        QTest::newRow("odd differences keep their halves")
            << QSize(1920, 1081) << QPointF(787.5, 449.5) << true;
        // The close box or Escape ends the modal showing without the OK button's handler.
        QTest::newRow("screen smaller than the window, closed by the platform")
            << QSize(200, 100) << QPointF(-72.5, -41) << false;
    }

    void theAboutWindowIsCentredUnroundedTitledAndClosedAnew()
    {
        QFETCH(QSize, screen);
        QFETCH(QPointF, place);
        QFETCH(bool, pressOk);
        FakeAboutWindowFactory windows;
        windows.screenWidth = screen.width();
        windows.screenHeight = screen.height();
        if (!pressOk)
            windows.whileShown = [](FakeAboutView&) {};
        ShowAbout(windows);
        ShowAbout(windows);
        QCOMPARE(windows.records.size(), std::size_t(2));
        for (const auto& record : windows.records) {
            QCOMPARE(record->left, static_cast<float>(place.x()));
            QCOMPARE(record->top, static_cast<float>(place.y()));
            QCOMPARE(record->versionText, std::string("Version 2.1"));
            QCOMPARE(record->caption, std::string("About Vemor's 32-bit Music Player"));
            // Placed, titled and given the icon before it shows; then it is gone.
            std::string calls;
            for (const std::string& call : record->calls)
                calls += call + ",";
            QCOMPARE(calls, std::string("move,setVersionText,setCaption,showMainWindowIcon,"
                                        "showModal,") +
                                (pressOk ? "unload,closed," : "closedByPlatform,"));
            QVERIFY(record->destroyed);
        }
    }

    void theVolumePictureStartsTheFirstMixerThatStarts()
    {
        FakeVolumes volumes;
        FakeWindow window(volumes);
        FakeLauncher launcher;
        launcher.available = {"pavucontrol-qt"};
        VolumeMixer mixer(window, launcher);
        mixer.imgVolume_Click();
        QCOMPARE(launcher.attempts, (std::vector<std::string>{"pavucontrol", "pavucontrol-qt"}));
        QCOMPARE(window.volumeNote, std::string());
        // Without a mixer, a note names what to install, on every click.
        launcher.available.clear();
        launcher.attempts.clear();
        mixer.imgVolume_Click();
        QCOMPARE(launcher.attempts.size(), std::size_t(3));
        for (const std::string& name : launcher.attempts)
            QVERIFY2(window.volumeNote.find(name) != std::string::npos, window.volumeNote.c_str());
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
