// Starting, leaving, the command line and files handed over, over the real engine: what the
// window shows and plays once the form has loaded.
#include "app/common.h"
#include "app/volumemixer.h"
#include "engine/soundfontlocator.h"
#include "fakes/musicfolder.h"
#include "fakes/playerrig.h"

#include <QTest>

using namespace orvane;

using Entries = std::vector<std::string>;

namespace {

// A form started in a folder of two MIDI and two WAV files with `arguments`.
struct Started
{
    explicit Started(const char* arguments, const std::function<void(PlayerRig&)>& prepare = {})
    {
        rig.system.current = folder.path();
        rig.system.arguments = arguments;
        if (prepare)
            prepare(rig);
        rig.random.draws = {0.99f, 0.99f, 0.99f, 0.99f}; // always the last name still held
        rig.form.Form_Load();
    }
    Entries queued() { return rig.model().lstMusicQ.items(); }

    MusicFolder folder{{"a.mid", "b.wav", "c.mid", "d.wav"}, true};
    PlayerRig rig;
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void loadPreparesTheWindow()
    {
        Started s("");
        const FormModel& model = s.rig.model();
        QCOMPARE(s.rig.random.seeds, 1);
        QCOMPARE(s.rig.view.caption(), std::string("Vemor's 32-bit Music Player"));
        QCOMPARE(s.rig.help.file, std::string("/opt/orvane/orvane.hlp"));
        QCOMPARE(model.cboFileType.items(),
                 (Entries{"Music (*.mid;*.rmi;*.wav)", "Midi (*.mdi;*.rmi)", "Sound (*.wav)"}));
        QCOMPARE(model.File1.items(), (Entries{"a.mid", "b.wav", "c.mid", "d.wav"}));
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
        PlayerRig rig;
        rig.system.name = name.toStdString();
        rig.system.current = started.path();
        rig.system.homeFolder = home.path();
        if (homeExists)
            rig.system.existingFolders = {home.path()};
        rig.form.Form_Load();
        QCOMPARE(rig.model().Dir1.path(), startsAtHome ? home.path() : started.path());
        QCOMPARE(rig.model().File1.count(), startsAtHome ? 1 : 0);
    }

    void theVolumePictureStartsTheFirstMixerThatStarts()
    {
        FakeView view;
        FakeLauncher launcher;
        launcher.available = {"pavucontrol-qt"};
        VolumeMixer mixer(view, launcher);
        mixer.imgVolume_Click();
        QCOMPARE(launcher.attempts, (Entries{"pavucontrol", "pavucontrol-qt"}));
        QCOMPARE(view.volumeNote, std::string());
        // Without a mixer, a note names what to install, on every click.
        launcher.available.clear();
        launcher.attempts.clear();
        mixer.imgVolume_Click();
        QCOMPARE(launcher.attempts.size(), std::size_t(3));
        for (const std::string& name : launcher.attempts)
            QVERIFY2(view.volumeNote.find(name) != std::string::npos, view.volumeNote.c_str());
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
        QCOMPARE(s.rig.model().cboFileType.selectedIndex(), fileType);
        QCOMPARE(s.rig.model().lstMusicQ.count(), queued);
        const MediaMode mode = queued == 0 ? MediaMode::NotOpen
                               : playing   ? MediaMode::Playing
                                           : MediaMode::Stopped;
        QCOMPARE(s.rig.media.mode(), mode);
        QCOMPARE(s.rig.view.state == MainWindowView::WindowState::Minimized, minimised);
    }

    void randomPassThenOrderedPass()
    {
        Started s("/q/r");
        QCOMPARE(s.queued(), s.folder.entries({"d.wav", "c.mid", "b.wav", "a.mid", "a.mid", "b.wav",
                                               "c.mid", "d.wav"}));
    }

    void namedPathsAreQueuedAfterTheFileTypeAndPlay()
    {
        MusicFolder other{{"z.mid"}, true};
        Started s("/wav /m", [&](PlayerRig& rig) {
            rig.system.paths = {other.entry("z.mid"), rig.system.current, other.entry("z.mid")};
        });
        // The folder gives its files as Queue All would list them, after "/wav".
        QCOMPARE(s.queued(), (Entries{other.entry("z.mid"), s.folder.entry("b.wav"),
                                      s.folder.entry("d.wav"), other.entry("z.mid")}));
        QCOMPARE(s.rig.model().Dir1.path(), other.path());
        QCOMPARE(s.rig.model().File1.path(), other.path());
        QCOMPARE(s.rig.model().txtPlaying.text(), std::string("z.mid"));
        QCOMPARE(s.rig.media.mode(), MediaMode::Playing);
        QCOMPARE(s.rig.view.state, MainWindowView::WindowState::Minimized);
    }

    void theSynthesizerLoadsForTheFirstMidiFileQueuedWhichSoundsFromItsFirstNote()
    {
        if (!SoundFontLocator().locate())
            QSKIP("no General MIDI SoundFont installed");
        // A folder of MIDI files, WAV files queued: nothing for MIDI is loaded.
        Started wav("/wav /q");
        QCOMPARE(wav.queued().size(), std::size_t(2));
        QVERIFY(!wav.rig.media.engine().midiSynthStarted());

        Started mid("/mid /q /p");
        QVERIFY(mid.rig.media.engine().midiSynthStarted());
        mid.rig.loop.advance(100);
        const std::vector<float>& heard = mid.rig.device->heard;
        const auto first = std::find_if(heard.begin(), heard.end(),
                                        [](float sample) { return std::abs(sample) > 1e-3f; });
        QVERIFY(first != heard.end());
        QCOMPARE_LE(first - heard.begin(), 48 * 10); // within the first 10 ms
    }

    void aLaterLaunchQueuesAndPlaysWhenNothingDoes()
    {
        const testing::StderrCapture quiet;
        Started s("/q");
        FileOpener& opener = s.rig.form.opener();
        opener.openFromLaunch({s.folder.entry("d.wav"), "/no/such.mid"});
        // Idle with entries waiting: the new one goes ahead of them and plays.
        QCOMPARE(s.queued(), s.folder.entries({"d.wav", "a.mid", "b.wav", "c.mid", "d.wav"}));
        QCOMPARE(s.rig.media.mode(), MediaMode::Playing);
        QCOMPARE(s.rig.model().txtPlaying.text(), std::string("d.wav"));
        // Playing: appended, and what plays goes on.
        s.rig.loop.advance(100);
        opener.openFromLaunch({s.folder.entry("b.wav")});
        QCOMPARE(s.queued().size(), std::size_t(6));
        QCOMPARE(s.queued().back(), s.folder.entry("b.wav"));
        s.rig.loop.advance(100);
        QVERIFY2(s.rig.heard().startsWith("0.25 x 200 ms"), qPrintable(s.rig.heard()));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
