#include "fakes/fakeform.h"
#include "playback/mediabuttons.h"
#include "playback/trackopener.h"

#include <QTest>
#include <algorithm>

using namespace orvane;

namespace {

using Log = std::vector<std::string>;

void queue(FakeForm& f, std::initializer_list<const char*> entries)
{
    for (const char* entry : entries)
        f.window.queue.addItem(entry);
}

} // namespace

class TestPlayer : public QObject
{
    Q_OBJECT

private slots:
    void playingOpensByEndingAndShowsNameAndLength()
    {
        FakeForm f;
        queue(f, {"/music/ÑANDÚ.MID", "/music/b.wav"});
        f.window.media.reportedLength = 185999;
        f.window.gauge.value = 77;
        f.form.player().PlayQueueHead();
        f.form.player().play_Click(); // again: the head restarts, the queue stays
        const Log once{"Close",       "DeviceType=Sequencer", "FileName=/music/ÑANDÚ.MID", "Open",
                       "Flag14=true", "TimeFormat=0",         "UpdateInterval=1000",       "play"};
        Log twice = once;
        twice.insert(twice.end(), once.begin(), once.end());
        QCOMPARE(f.window.media.log, twice);
        QCOMPARE(f.window.playing.text(), std::string("ñandú.mid"));
        QCOMPARE(f.window.length.text(), std::string(" 3:05"));
        QCOMPARE(f.window.gauge.maximum, 185);
        QCOMPARE(f.window.gauge.value, 77.0); // the status update moves it, not the start
        QCOMPARE(f.window.queue.count(), 2);
        f.window.media.reportedPosition = 2999;
        f.form.player().MMControl1_StatusUpdate();
        QCOMPARE(f.window.gauge.value, 2.0);
        // The device follows the last three characters, in any case.
        for (const auto& [path, device] : {std::pair{"/m/TUNE.Rmi", "Sequencer"},
                                           {"/m/pyramid", "Sequencer"},
                                           {"/m/x.mdi", "WaveAudio"},
                                           {"id", "WaveAudio"}}) {
            FakeMediaControl media;
            OpenMusicFile(media, path);
            QCOMPARE(media.log.at(1), std::string("DeviceType=") + device);
        }
    }

    void onlyDoneWithResultOneAdvances()
    {
        FakeForm f;
        queue(f, {"/m/a.wav", "/m/b.wav", "/m/c.wav"});
        f.form.player().PlayQueueHead();
        f.window.media.finish(2);
        QCOMPARE(f.window.queue.count(), 3);
        f.window.media.finish(1);
        QCOMPARE(f.window.queue.items(), (Log{"/m/b.wav", "/m/c.wav"}));
        QCOMPARE(f.window.media.fileName(), std::string("/m/b.wav"));
        QCOMPARE(f.window.media.mode(), MediaMode::Playing);
        // The playing entry removed by a queue edit: the end drops the one that moved up.
        f.window.queue.removeItem(0);
        f.window.media.finish(1);
        QCOMPARE(f.window.queue.count(), 0);
        QCOMPARE(f.window.media.mode(), MediaMode::NotOpen);
    }

    void aFailedOpenWaitsForNextWhichResetsOnTheLastEntry()
    {
        FakeForm f;
        queue(f, {"/m/missing.wav"});
        f.window.media.reportedLength = 0; // a file that failed to open: shown, not skipped
        f.form.player().PlayQueueHead();
        QCOMPARE(f.window.playing.text(), std::string("missing.wav"));
        QCOMPARE(f.window.length.text(), std::string(" 0:00"));
        f.window.gauge.value = 3;
        bool cancel = false;
        f.form.player().MMControl1_NextClick(cancel);
        QVERIFY(cancel);
        QCOMPARE(f.window.queue.count(), 0);
        QCOMPARE(f.window.playing.text(), std::string());
        QCOMPARE(f.window.length.text(), std::string());
        QCOMPARE(f.window.gauge.value, 0.0);
        QCOMPARE(f.window.media.updateInterval(), std::int16_t(0));
        QCOMPARE(f.window.media.mode(), MediaMode::NotOpen);
        // Play on the empty queue changes nothing and still cancels the button's action.
        f.window.media.log.clear();
        cancel = false;
        f.form.player().MMControl1_PlayClick(cancel);
        QVERIFY(cancel);
        QVERIFY(f.window.media.log.empty());
    }

    void theButtonsActThroughThePlayer()
    {
        FakeForm f;
        queue(f, {"/m/a.wav"});
        f.window.media.reportedLength = 42000;
        MediaButtons buttons(f.window.media, f.form.player());
        buttons.press(MediaButton::Play); // the player plays the head and cancels the button
        QCOMPARE(std::count(f.window.media.log.begin(), f.window.media.log.end(), "play"), 1);
        buttons.press(MediaButton::Pause);
        QCOMPARE(f.window.media.mode(), MediaMode::Paused);
        QCOMPARE(f.window.media.updateInterval(), std::int16_t(0));
        buttons.press(MediaButton::Pause);
        QCOMPARE(f.window.media.mode(), MediaMode::Playing);
        QCOMPARE(f.window.media.updateInterval(), std::int16_t(1000));
        // Stop keeps the track shown while entries remain; Pause then turns the interval on.
        f.window.gauge.value = 12;
        buttons.press(MediaButton::Stop);
        QCOMPARE(f.window.media.mode(), MediaMode::Stopped);
        QCOMPARE(f.window.gauge.value, 0.0);
        QCOMPARE(f.window.playing.text(), std::string("a.wav"));
        QCOMPARE(f.window.length.text(), std::string(" 0:42"));
        buttons.press(MediaButton::Pause);
        QCOMPARE(f.window.media.updateInterval(), std::int16_t(1000));
        // With the queue empty, Stop clears the texts and closes.
        f.window.queue.removeItem(0);
        buttons.press(MediaButton::Stop);
        QCOMPARE(f.window.playing.text(), std::string());
        QCOMPARE(f.window.length.text(), std::string());
        QCOMPARE(f.window.media.mode(), MediaMode::NotOpen);
    }
};

QTEST_GUILESS_MAIN(TestPlayer)
#include "tst_player.moc"
