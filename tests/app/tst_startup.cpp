#include "app/common.h"
#include "app/showabout.h"
#include "app/volumemixer.h"
#include "fakes/fakeform.h"
#include "fakes/musicfolder.h"

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
            QCOMPARE(f.window.help.file, std::string("/opt/orvane/orvane.hlp"));
            QCOMPARE(f.window.fileType.count(), 3);
            QVERIFY(f.window.media.log.empty());
            f.form.browser().cboFileType_Click();
            checkedAtTypeChoice = true;
        };
        f.form.Form_Load();
        QVERIFY(checkedAtTypeChoice);
        QCOMPARE(f.window.fileType.selectedIndex(), 0);
        QCOMPARE(f.window.file1.pattern(), std::string("*.MID;*.RMI;*.WAV"));
        QCOMPARE(f.window.media.log.size(), std::size_t(4)); // the device's settings, after
        QCOMPARE(f.window.queue.count(), 0);
        QCOMPARE(f.window.state, MainWindowView::WindowState::Normal);
    }

    void homeMachineNames()
    {
        for (const char* name : {"KESTROW", "office-kestrow2"}) {
            FakeSystemInfo system;
            system.name = name;
            QVERIFY2(IsHomeMachine(system), name);
            system.nameQueryFails = true;
            QVERIFY(!IsHomeMachine(system));
        }
        for (const char* name : {"KESTRO", "", "A-VERY-LONG-KESTROW-NAME"}) {
            FakeSystemInfo system;
            system.name = name; // the last is too long for the buffer
            QVERIFY2(!IsHomeMachine(system), name);
        }
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

    void theAboutWindowIsCentredUnroundedPreparedAndClosedAnew()
    {
        FakeAboutWindowFactory windows;
        windows.screenWidth = 200;
        windows.screenHeight = 101;
        ShowAbout(windows);
        // The close box or Escape ends the modal showing without the OK button's handler.
        windows.whileShown = [](FakeAboutView&) {};
        ShowAbout(windows);
        QCOMPARE(windows.records.size(), std::size_t(2));
        for (const auto& record : windows.records) {
            QCOMPARE(record->left, -72.5f);
            QCOMPARE(record->top, -40.5f);
            std::string calls;
            for (const std::string& call : record->calls)
                calls += call + ",";
            QVERIFY2(
                calls.starts_with("move,setVersionText,setCaption,showMainWindowIcon,showModal,"),
                calls.c_str());
            QVERIFY(record->destroyed);
        }
        QVERIFY(windows.records[0]->calls.back() == "closed");
        QVERIFY(windows.records[1]->calls.back() == "closedByPlatform");
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
