#include "app/common.h"
#include "app/volumemixer.h"
#include "fakes/fakeform.h"
#include "fakes/musicfolder.h"

#include <QTest>

using namespace orvane;

namespace {

// Starts a form in a folder of two MIDI and two WAV files with `arguments`.
struct Started
{
    explicit Started(const char* arguments, const std::function<void(FakeForm&)>& prepare = {})
    {
        f.system.current = folder.path();
        f.system.arguments = arguments;
        if (prepare)
            prepare(f);
        f.random.draws = {0.99f, 0.99f, 0.99f, 0.99f};
        f.form.Form_Load();
    }

    MusicFolder folder{"a.mid", "b.wav", "c.mid", "d.wav"};
    FakeForm f;
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void loadPreparesTheWindowInOrder()
    {
        FakeForm f;
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

    void switchesActInAnyOrderCaseOrLength_data()
    {
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<int>("fileType");
        QTest::addColumn<int>("queued");
        QTest::addColumn<bool>("playing");
        QTest::addColumn<bool>("minimised");
        QTest::newRow("none") << "" << 0 << 0 << false << false;
        QTest::newRow("/q /wav") << "/q /wav" << 2 << 2 << false << false;
        QTest::newRow("/wav /mid /q") << "/wav /mid /q" << 1 << 2 << false << true;
        QTest::newRow("/p alone") << "/p" << 0 << 0 << false << false;
        QTest::newRow("/quiet") << "/quiet" << 0 << 4 << false << false;
        QTest::newRow("/PLAY /Queue") << "/PLAY /Queue" << 0 << 4 << true << false;
        QTest::newRow("/MID") << "/MID" << 1 << 0 << false << true;
        QTest::newRow("c:/music") << "c:/music" << 0 << 0 << false << true;
        QTest::newRow("repeated") << "/q /q /Q" << 0 << 4 << false << false;
        QTest::newRow("no switch") << "-x --platform xcb" << 0 << 0 << false << false;
    }

    void switchesActInAnyOrderCaseOrLength()
    {
        QFETCH(QString, arguments);
        QFETCH(int, fileType);
        QFETCH(int, queued);
        QFETCH(bool, playing);
        QFETCH(bool, minimised);
        const QByteArray text = arguments.toUtf8();
        Started s(text.constData());
        QCOMPARE(s.f.window.fileType.selectedIndex(), fileType);
        QCOMPARE(s.f.window.queue.count(), queued);
        QCOMPARE(s.f.window.media.mode() == MediaMode::Playing, playing);
        QCOMPARE(s.f.window.state == MainWindowView::WindowState::Minimized, minimised);
        QCOMPARE(s.f.window.media.opens, queued > 0 ? 1 + playing : 0);
    }

    void randomPassThenOrderedPass()
    {
        Started s("/q/r");
        // Draws of 0.99 always take the last name still held.
        QCOMPARE(s.f.window.queue.items(), s.folder.entries({"d.wav", "c.mid", "b.wav", "a.mid",
                                                             "a.mid", "b.wav", "c.mid", "d.wav"}));
    }

    void namedPathsAreQueuedAfterTheFileTypeAndPlay()
    {
        MusicFolder other{"z.mid"};
        Started s("/wav /m", [&](FakeForm& f) {
            f.system.paths = {other.entry("z.mid"), f.system.current, other.entry("z.mid")};
        });
        // The folder gives its files as Queue All would list them, after "/wav".
        QCOMPARE(s.f.window.queue.items(),
                 (std::vector<std::string>{other.entry("z.mid"), s.folder.entry("b.wav"),
                                           s.folder.entry("d.wav"), other.entry("z.mid")}));
        QCOMPARE(s.f.window.dir1.path(), other.path());
        QCOMPARE(s.f.window.file1.path(), other.path());
        QCOMPARE(s.f.window.playing.text(), std::string("z.mid"));
        QCOMPARE(s.f.window.media.mode(), MediaMode::Playing);
        QCOMPARE(s.f.window.state, MainWindowView::WindowState::Minimized);
    }

    void aLaterLaunchQueuesAndPlaysWhenNothingDoes()
    {
        Started s("/q");
        FileOpener& opener = s.f.form.opener();
        opener.openFromLaunch({s.folder.entry("c.mid"), "/no/such.mid"});
        // Idle with entries waiting: the new one goes ahead of them and plays.
        QCOMPARE(s.f.window.queue.items(),
                 s.folder.entries({"c.mid", "a.mid", "b.wav", "c.mid", "d.wav"}));
        QCOMPARE(s.f.window.media.mode(), MediaMode::Playing);
        QCOMPARE(s.f.window.playing.text(), std::string("c.mid"));
        // Playing: appended, and what plays goes on.
        const int opens = s.f.window.media.opens;
        opener.openFromLaunch({s.folder.entry("a.mid")});
        QCOMPARE(s.f.window.queue.count(), 6);
        QCOMPARE(s.f.window.queue.item(5), s.folder.entry("a.mid"));
        QCOMPARE(s.f.window.media.opens, opens);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
