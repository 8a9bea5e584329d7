// Playing the queue from its head over the real engine: what the window shows and what the
// device plays, frame by frame, on the test's clock.
#include "engine/audiofixtures.h"
#include "fakes/musicfolder.h"
#include "fakes/playerrig.h"
#include "playback/mediabuttons.h"
#include "playback/trackopener.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>
#include <cstring>
#include <map>
#include <utility>

using namespace orvane;

namespace {

// A folder of WAV files of one level each: a.wav 1.5 s at 0.25, b.wav 0.6 s at 0.5.
struct Songs
{
    Songs()
    {
        testing::writeLevel(folder.entry("a.wav"), 1500, 0.25f);
        testing::writeLevel(folder.entry("b.wav"), 600, 0.5f);
    }
    std::string a() const { return folder.entry("a.wav"); }
    std::string b() const { return folder.entry("b.wav"); }

    MusicFolder folder;
};

void queue(PlayerRig& rig, std::initializer_list<std::string> entries)
{
    for (const std::string& entry : entries)
        rig.model().lstMusicQ.addItem(entry);
}

// Nothing queued, shown or open, and no status updates to wake the player.
bool idle(PlayerRig& rig)
{
    FormModel& model = rig.model();
    return model.lstMusicQ.count() == 0 && model.txtPlaying.text().empty() &&
           model.txtLength.text().empty() && model.Gauge1.value() == 0 &&
           rig.media.mode() == MediaMode::NotOpen && rig.media.updateInterval() == 0;
}

// Handlers that leave every button of the control to do its own work.
struct LettingButtonsAct : MediaControlEvents
{
    void MMControl1_Done(int) override {}
    void MMControl1_StatusUpdate() override {}
    void MMControl1_PlayClick(bool&) override {}
    void MMControl1_PauseClick(bool&) override {}
    void MMControl1_StopClick(bool&) override {}
    void MMControl1_NextClick(bool&) override {}
};

} // namespace

class TestPlayer : public QObject
{
    Q_OBJECT

private slots:
    void theQueuePlaysThroughWithoutAGapShowingEachTrack()
    {
        const Songs songs;
        PlayerRig rig;
        FormModel& model = rig.model();
        queue(rig, {songs.a(), songs.b()});
        rig.form.player().PlayQueueHead();
        QCOMPARE(model.txtPlaying.text(), std::string("a.wav"));
        QCOMPARE(model.txtLength.text(), std::string(" 0:01"));
        QCOMPARE(model.Gauge1.maximum(), 1);
        // The gauge steps just after the first second is heard, not before.
        rig.loop.advance(990);
        QCOMPARE(model.Gauge1.value(), 0.0);
        rig.loop.advance(50);
        QCOMPARE(model.Gauge1.value(), 1.0);
        // The first has played to its end: the second follows on the very next frame.
        rig.loop.advance(600);
        QCOMPARE(model.lstMusicQ.items(), std::vector<std::string>{songs.b()});
        QCOMPARE(model.txtPlaying.text(), std::string("b.wav"));
        QCOMPARE(model.txtLength.text(), std::string(" 0:00"));
        rig.loop.advance(1000);
        QVERIFY(idle(rig));
        QVERIFY2(rig.heard().startsWith("0.25 x 1500 ms, 0.5 x 600 ms, 0 x "),
                 qPrintable(rig.heard()));
    }

    void theTransportButtonsPauseStopRestartAndSkip()
    {
        const Songs songs;
        PlayerRig rig;
        FormModel& model = rig.model();
        MediaButtons buttons(rig.media, rig.form.player());
        queue(rig, {songs.a()});
        buttons.press(MediaButton::Play);
        rig.loop.advance(1100);
        // Paused: silence, and the gauge stands; then it goes on where it was, frame for frame.
        buttons.press(MediaButton::Pause);
        QCOMPARE(rig.media.mode(), MediaMode::Paused);
        rig.loop.advance(2000);
        QCOMPARE(model.Gauge1.value(), 1.0);
        buttons.press(MediaButton::Pause);
        rig.loop.advance(1000);
        QVERIFY(idle(rig));
        QVERIFY2(rig.heard().startsWith("0.25 x 1100 ms, 0 x 2000 ms, 0.25 x 400 ms, 0 x "),
                 qPrintable(rig.heard()));

        // Stop keeps the track on show with the gauge at 0; Play starts it again from the top.
        queue(rig, {songs.a(), songs.b()});
        rig.device->heard.clear();
        buttons.press(MediaButton::Play);
        rig.loop.advance(1100);
        buttons.press(MediaButton::Stop);
        QCOMPARE(rig.media.mode(), MediaMode::Stopped);
        QCOMPARE(model.Gauge1.value(), 0.0);
        QCOMPARE(model.txtPlaying.text(), std::string("a.wav"));
        // Pause after Stop turns the gauge on again, where the track stopped.
        buttons.press(MediaButton::Pause);
        rig.loop.advance(1050);
        QCOMPARE(model.Gauge1.value(), 1.0);
        buttons.press(MediaButton::Play);
        rig.loop.advance(200);
        // Next drops the head, the one playing, and plays what follows; Next on the last resets.
        buttons.press(MediaButton::Next);
        QCOMPARE(model.txtPlaying.text(), std::string("b.wav"));
        rig.loop.advance(100);
        buttons.press(MediaButton::Next);
        QVERIFY(idle(rig));
        QCOMPARE(rig.heard(),
                 QStringLiteral("0.25 x 1100 ms, 0 x 1050 ms, 0.25 x 200 ms, 0.5 x 100 ms"));
        // Play with the queue empty changes nothing.
        buttons.press(MediaButton::Play);
        QVERIFY(idle(rig));

        // The control's own buttons, where no handler cancels them: Play plays, and resumes a
        // paused track where it was.
        LettingButtonsAct bare;
        MediaButtons own(rig.media, bare);
        OpenMusicFile(rig.media, songs.b());
        rig.device->heard.clear();
        own.press(MediaButton::Play);
        rig.loop.advance(200);
        own.press(MediaButton::Pause);
        rig.loop.advance(100);
        own.press(MediaButton::Play);
        rig.loop.advance(300);
        QCOMPARE(rig.heard(), QStringLiteral("0.5 x 200 ms, 0 x 100 ms, 0.5 x 300 ms"));
    }

    void aFileThatCannotBeOpenedShowsItsNameAndWaitsForNext()
    {
        MusicFolder folder;
        testing::writeBytes(folder.entry("Broken.WAV"),
                            {'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v'});
        testing::writeLevel(folder.entry("tune.mdi"), 300, 0.25f); // a WAV by its ending
        testing::writeLevel(folder.entry("TUNE.Rmi"), 300, 0.25f); // MIDI by its ending
        const testing::StderrCapture quiet;
        PlayerRig rig;
        FormModel& model = rig.model();
        queue(rig,
              {folder.entry("Broken.WAV"), folder.entry("TUNE.Rmi"), folder.entry("tune.mdi")});
        rig.form.player().PlayQueueHead();
        // Each says why in a note, beside its name.
        for (const auto& [shown, name] :
             {std::pair{"broken.wav", "Broken.WAV"}, std::pair{"tune.rmi", "TUNE.Rmi"}}) {
            QCOMPARE(model.txtPlaying.text(), std::string(shown));
            QVERIFY(!rig.notes.empty());
            const std::string note = std::exchange(rig.notes, {}).back();
            QVERIFY2(note.starts_with("Cannot play " + std::string(name) + ": ") &&
                         note.size() > std::strlen(name) + 16,
                     note.c_str());
            QCOMPARE(model.txtLength.text(), std::string(" 0:00"));
            QCOMPARE(model.Gauge1.maximum(), 1);
            rig.loop.advance(2000); // nothing plays, and the queue waits
            QCOMPARE(rig.media.mode(), MediaMode::NotOpen);
            bool cancel = false;
            rig.form.player().MMControl1_NextClick(cancel);
            QVERIFY(cancel);
        }
        rig.loop.advance(1000);
        QVERIFY(idle(rig));
        QCOMPARE(rig.heard().count(QStringLiteral("0.25 x 300 ms")), 1);
    }

    void oddNamesPlayInTurnAndNeverReachAShell()
    {
        MusicFolder folder;
        const std::vector<std::string> names{
            "with space.wav", "ünïcødé ♪.wav",      "-leading-dash.wav", "quote's \"double\".wav",
            "new\nline.wav",  "$(touch pwned).wav", "`touch pwned`.wav", "semi;colon&amp.wav"};
        std::map<std::string, float> levels;
        for (const std::string& name : names) {
            levels[name] = 0.1f + 0.05f * float(levels.size());
            testing::writeLevel(folder.entry(name.c_str()), 100, levels[name]);
        }
        PlayerRig rig;
        rig.system.current = folder.path();
        rig.form.Form_Load();
        rig.form.cmdQAll_Click();
        rig.form.play_Click();
        rig.loop.advance(1000);
        QString inTurn;
        for (const std::string& name : rig.model().File1.items())
            inTurn += QStringLiteral("%1 x 100 ms, ").arg(double(levels.at(name)), 0, 'g', 3);
        QVERIFY2(rig.heard().startsWith(inTurn), qPrintable(rig.heard()));
        QVERIFY(!QFile::exists(QString::fromStdString(folder.entry("pwned"))));
    }

    void theEndOfAPlayingHeadRemovedDropsTheEntryThatMovedUp()
    {
        const Songs songs;
        PlayerRig rig;
        queue(rig, {songs.a(), songs.b(), songs.a()});
        rig.form.player().PlayQueueHead();
        rig.model().lstMusicQ.removeItem(0); // by a queue edit: a goes on playing
        rig.loop.advance(1550);
        // The end of a drops b, which had moved up to the head, unplayed, and the last a follows.
        QCOMPARE(rig.model().lstMusicQ.items(), std::vector<std::string>{songs.a()});
        QCOMPARE(rig.heard(), QStringLiteral("0.25 x 1550 ms"));
    }
};

QTEST_GUILESS_MAIN(TestPlayer)
#include "tst_player.moc"
