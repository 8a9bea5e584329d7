#include "app/common.h"
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

    void theHomeMachineStartsInItsMusicFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("homeExists");
        QTest::addColumn<bool>("startsAtHome");
        QTest::newRow("home") << "KESTROW" << true << true;
        QTest::newRow("within the name") << "office-kestrow2" << true << true;
        QTest::newRow("home folder missing") << "KESTROW" << false << false;
        QTest::newRow("another computer") << "KESTRO" << true << false;
        QTest::newRow("no name") << "" << true << false;
        QTest::newRow("too long for the buffer") << "A-VERY-LONG-KESTROW-NAME" << true << false;
    }

    void theHomeMachineStartsInItsMusicFolder()
    {
        QFETCH(QString, name);
        QFETCH(bool, homeExists);
        QFETCH(bool, startsAtHome);
        MusicFolder started, home{"song.mid"};
        FakeForm f;
        f.system.name = name.toStdString();
        f.system.current = started.path();
        f.system.homeFolder = home.path();
        if (homeExists)
            f.system.existingFolders = {home.path()};
        f.form.Form_Load();
        QCOMPARE(f.window.dir1.path(), startsAtHome ? home.path() : started.path());
        QCOMPARE(f.window.file1.count(), startsAtHome ? 1 : 0);
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
