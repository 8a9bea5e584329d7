#include "fakes/fakeform.h"

#include <QTest>

using namespace orvane;

class TestPlayer : public QObject
{
    Q_OBJECT

private:
    static void queue(FakeForm& f, std::initializer_list<const char*> entries)
    {
        for (const char* entry : entries)
            f.window.queue.addItem(entry);
    }

private slots:
    void lengthTexts_data()
    {
        QTest::addColumn<int>("milliseconds");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("gaugeMaximum");
        QTest::newRow("3:05") << 185432 << " 3:05" << 185;
        QTest::newRow("0:42") << 42000 << " 0:42" << 42;
        QTest::newRow("60:00") << 3600000 << " 60:00" << 3600;
        QTest::newRow("3:45") << 225999 << " 3:45" << 225;
        QTest::newRow("under a second") << 999 << " 0:00" << 1;
        QTest::newRow("nothing open") << 0 << " 0:00" << 1;
        QTest::newRow("long") << 2147483647 << " 35791:23" << 2147483;
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
        const std::vector<std::string> expected{
            "Close",       "DeviceType=Sequencer", "FileName=/music/Song.MID", "Open",
            "Flag14=true", "TimeFormat=0",         "UpdateInterval=1000",      "play"};
        QCOMPARE(f.window.media.log, expected);
        QCOMPARE(f.window.playing.text(), std::string("song.mid"));
        QCOMPARE(f.window.queue.count(), 2);
    }

    void playWithEmptyQueueDoesNothingButStillCancels()
    {
        FakeForm f;
        bool cancel = false;
        f.form.player().MMControl1_PlayClick(cancel);
        QVERIFY(cancel);
        QVERIFY(f.window.media.log.empty());
    }

    void doneWithResultOneAdvancesOthersDoNot()
    {
        FakeForm f;
        queue(f, {"/m/a.wav", "/m/b.wav"});
        f.form.player().PlayQueueHead();
        f.window.media.finish(2);
        QCOMPARE(f.window.queue.count(), 2);
        f.window.media.finish(1);
        QCOMPARE(f.window.queue.items(), std::vector<std::string>{"/m/b.wav"});
        QCOMPARE(f.window.media.fileName(), std::string("/m/b.wav"));
        QCOMPARE(f.window.media.mode(), MediaMode::Playing);
    }

    void nextOnLastEntryResetsToIdle()
    {
        FakeForm f;
        queue(f, {"/m/a.wav"});
        f.window.media.reportedLength = 5000;
        f.form.player().PlayQueueHead();
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
        QVERIFY(!cancel);
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
    }

    void stopWithEmptyQueueClearsAndCloses()
    {
        FakeForm f;
        f.window.playing.setText("x");
        f.window.length.setText(" 1:00");
        bool cancel = false;
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

    void playRestartsTheHeadAndKeepsTheQueue()
    {
        FakeForm f;
        queue(f, {"/m/a.wav", "/m/b.wav"});
        f.form.player().PlayQueueHead();
        f.form.player().play_Click();
        QCOMPARE(f.window.media.opens, 2);
        QCOMPARE(f.window.queue.count(), 2);
        QCOMPARE(f.window.media.fileName(), std::string("/m/a.wav"));
    }

    void doneAfterQueueEditDropsTheEntryThatMovedUp()
    {
        FakeForm f;
        queue(f, {"/m/a.wav", "/m/b.wav", "/m/c.wav"});
        f.form.player().PlayQueueHead();
        f.window.queue.removeItem(0); // the playing entry removed by the user
        f.window.media.finish(1);
        QCOMPARE(f.window.queue.items(), std::vector<std::string>{"/m/c.wav"});
        QCOMPARE(f.window.media.fileName(), std::string("/m/c.wav"));
    }

    void aFileThatFailsToOpenDoesNotAdvanceByItself()
    {
        FakeForm f;
        queue(f, {"/m/missing.wav", "/m/b.wav"});
        f.window.media.reportedLength = 0; // nothing opened
        f.form.player().PlayQueueHead();
        QCOMPARE(f.window.playing.text(), std::string("missing.wav"));
        QCOMPARE(f.window.length.text(), std::string(" 0:00"));
        QCOMPARE(f.window.queue.count(), 2);
        bool cancel = false;
        f.form.player().MMControl1_NextClick(cancel);
        QCOMPARE(f.window.queue.items(), std::vector<std::string>{"/m/b.wav"});
    }
};

QTEST_GUILESS_MAIN(TestPlayer)
#include "tst_player.moc"
