#include "fakes/fakeform.h"
#include "playback/mediabuttons.h"
#include "playback/trackopener.h"

#include <QTest>

using namespace orvane;

namespace {

using Log = std::vector<std::string>;

void queue(FakeForm& f, std::initializer_list<const char*> entries)
{
    for (const char* entry : entries)
        f.window.queue.addItem(entry);
}

// Records the button events; cancels them when told to.
class ButtonEvents : public MediaControlEvents
{
public:
    void MMControl1_Done(int) override {}
    void MMControl1_StatusUpdate() override {}
    void MMControl1_PlayClick(bool& Cancel) override { record("Play", Cancel); }
    void MMControl1_PauseClick(bool& Cancel) override { record("Pause", Cancel); }
    void MMControl1_StopClick(bool& Cancel) override { record("Stop", Cancel); }
    void MMControl1_NextClick(bool& Cancel) override { record("Next", Cancel); }

    bool cancel = false;
    Log raised;

private:
    void record(const char* button, bool& Cancel)
    {
        raised.push_back(button);
        Cancel = Cancel || cancel;
    }
};

} // namespace

class TestPlayer : public QObject
{
    Q_OBJECT

private slots:
    void lengthTexts_data()
    {
        QTest::addColumn<int>("milliseconds");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("gaugeMaximum");
        QTest::newRow("3:05") << 185432 << " 3:05" << 185;
        QTest::newRow("3:45") << 225999 << " 3:45" << 225;
        QTest::newRow("60:00") << 3600000 << " 60:00" << 3600;
        QTest::newRow("under a second") << 999 << " 0:00" << 1;
        QTest::newRow("longest") << 2147483647 << " 35791:23" << 2147483;
    }

    void lengthTexts()
    {
        QFETCH(int, milliseconds);
        QFETCH(QString, text);
        QFETCH(int, gaugeMaximum);
        FakeForm f;
        queue(f, {"/music/Song.MID"});
        f.window.media.reportedLength = milliseconds;
        f.window.gauge.value = 77;
        f.form.player().PlayQueueHead();
        QCOMPARE(QString::fromStdString(f.window.length.text()), text);
        QCOMPARE(f.window.gauge.minimum, 0);
        QCOMPARE(f.window.gauge.maximum, gaugeMaximum);
        QCOMPARE(f.window.gauge.value, 77.0); // the status update moves it, not the start
    }

    void playQueueHeadOpensPlaysAndShows()
    {
        FakeForm f;
        queue(f, {"/music/Song.MID", "/music/b.wav"});
        f.form.player().PlayQueueHead();
        f.form.player().play_Click(); // again: the head restarts, the queue stays
        const Log once{"Close",        "DeviceType=Sequencer", "FileName=/music/Song.MID",
                       "Open",         "Flag14=true",          "TimeFormat=0",
                       "UpdateInterval=1000", "play"};
        Log twice = once;
        twice.insert(twice.end(), once.begin(), once.end());
        QCOMPARE(f.window.media.log, twice);
        QCOMPARE(f.window.playing.text(), std::string("song.mid"));
        QCOMPARE(f.window.queue.count(), 2);
    }

    void deviceFromTheLastThreeCharacters_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("device");
        QTest::newRow("MID") << "/music/Song.MID" << "Sequencer";
        QTest::newRow("Rmi") << "/music/TUNE.Rmi" << "Sequencer";
        QTest::newRow("no dot") << "/music/pyramid" << "Sequencer";
        QTest::newRow("wav") << "/music/clip.wav" << "WaveAudio";
        QTest::newRow("mdi") << "/music/x.mdi" << "WaveAudio";
        QTest::newRow("short") << "id" << "WaveAudio";
        QTest::newRow("empty") << "" << "WaveAudio";
    }

    void deviceFromTheLastThreeCharacters()
    {
        QFETCH(QString, path);
        QFETCH(QString, device);
        FakeMediaControl media;
        OpenMusicFile(media, path.toStdString());
        QCOMPARE(media.log, (Log{"Close", "DeviceType=" + device.toStdString(),
                                 "FileName=" + path.toStdString(), "Open", "Flag14=true"}));
    }

    void shortNames_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("folder") << "/music/" << "";
        QTest::newRow("bare") << "Song.MID" << "song.mid";
        QTest::newRow("dotted folder") << "/a.b/c/x.WAV" << "x.wav";
        QTest::newRow("backslash is a character") << "/m/a\\B.mid" << "a\\b.mid";
        QTest::newRow("unicode lowered") << "/m/ÑANDÚ Д.WAV" << "ñandú д.wav";
    }

    void shortNames()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(QString::fromStdString(FileNameOnly(path.toStdString())), name);
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

    void nextOnTheLastEntryResetsToIdle()
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
        QCOMPARE(f.window.media.log.back(), std::string("Flag14=false"));
        // Play on the empty queue changes nothing and still cancels the button's action.
        f.window.media.log.clear();
        cancel = false;
        f.form.player().MMControl1_PlayClick(cancel);
        QVERIFY(cancel);
        QVERIFY(f.window.media.log.empty());
    }

    void pauseTogglesOnlyTheInterval()
    {
        FakeForm f;
        queue(f, {"/m/a.wav"});
        f.form.player().PlayQueueHead();
        bool cancel = false;
        f.form.player().MMControl1_PauseClick(cancel);
        QCOMPARE(f.window.media.updateInterval(), std::int16_t(0));
        f.form.player().MMControl1_PauseClick(cancel);
        QCOMPARE(f.window.media.updateInterval(), std::int16_t(1000));
        // After Stop the interval is 0 for another reason; Pause still turns it back on.
        f.form.player().MMControl1_StopClick(cancel);
        f.form.player().MMControl1_PauseClick(cancel);
        QCOMPARE(f.window.media.updateInterval(), std::int16_t(1000));
        QVERIFY(!cancel);
    }

    void stopKeepsTheTrackShownWhileEntriesRemain()
    {
        FakeForm f;
        queue(f, {"/m/a.wav"});
        f.window.media.reportedLength = 42000;
        f.form.player().PlayQueueHead();
        f.window.gauge.value = 12;
        bool cancel = false;
        f.form.player().MMControl1_StopClick(cancel);
        QVERIFY(!cancel);
        QCOMPARE(f.window.gauge.value, 0.0);
        QCOMPARE(f.window.playing.text(), std::string("a.wav"));
        QCOMPARE(f.window.length.text(), std::string(" 0:42"));
        QVERIFY(f.window.media.log.back() != "Close");
        // With the queue empty, Stop clears the texts and closes.
        f.window.queue.removeItem(0);
        f.form.player().MMControl1_StopClick(cancel);
        QCOMPARE(f.window.playing.text(), std::string());
        QCOMPARE(f.window.length.text(), std::string());
        QCOMPARE(f.window.media.log.back(), std::string("Close"));
    }

    void statusUpdateFloorsThePosition()
    {
        FakeForm f;
        f.window.media.reportedPosition = 2999;
        f.form.player().MMControl1_StatusUpdate();
        QCOMPARE(f.window.gauge.value, 2.0);
    }

    void buttonsRaiseTheirEventAndActUnlessCancelled()
    {
        FakeMediaControl media;
        ButtonEvents events;
        MediaButtons buttons(media, events);
        media.setCommand("Open");
        media.setCommand("play");
        buttons.press(MediaButton::Pause);
        QCOMPARE(media.mode(), MediaMode::Paused);
        buttons.press(MediaButton::Pause);
        QCOMPARE(media.mode(), MediaMode::Playing);
        buttons.press(MediaButton::Stop);
        QCOMPARE(media.mode(), MediaMode::Stopped);
        events.cancel = true;
        media.log.clear();
        for (MediaButton button : {MediaButton::Play, MediaButton::Next, MediaButton::Pause})
            buttons.press(button);
        QVERIFY(media.log.empty());
        QCOMPARE(events.raised, (Log{"Pause", "Pause", "Stop", "Play", "Next", "Pause"}));
    }
};

QTEST_GUILESS_MAIN(TestPlayer)
#include "tst_player.moc"
