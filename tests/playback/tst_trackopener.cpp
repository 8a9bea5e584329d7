#include "fakes/fakemediacontrol.h"
#include "playback/trackopener.h"

#include <QTest>

using namespace orvane;

class TestTrackOpener : public QObject
{
    Q_OBJECT

private slots:
    void deviceFromTheLastThreeCharacters_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("device");
        QTest::newRow("MID") << "/music/Song.MID"
                             << "Sequencer";
        QTest::newRow("rmi") << "/music/tune.rmi"
                             << "Sequencer";
        QTest::newRow("Rmi") << "/music/TUNE.Rmi"
                             << "Sequencer";
        QTest::newRow("no dot") << "/music/pyramid"
                                << "Sequencer";
        QTest::newRow("wav") << "/music/clip.wav"
                             << "WaveAudio";
        QTest::newRow("mdi") << "/music/x.mdi"
                             << "WaveAudio";
        QTest::newRow("short") << "id"
                               << "WaveAudio";
        QTest::newRow("exactly mid") << "mId"
                                     << "Sequencer";
        QTest::newRow("empty") << ""
                               << "WaveAudio";
    }

    void deviceFromTheLastThreeCharacters()
    {
        QFETCH(QString, path);
        QFETCH(QString, device);
        FakeMediaControl media;
        OpenMusicFile(media, path.toStdString());
        QCOMPARE(QString::fromStdString(media.deviceType()), device);
        QCOMPARE(QString::fromStdString(media.fileName()), path);
        QVERIFY(media.flag(MediaFlag::Flag14));
    }

    void openingTwiceLeavesTheFileOpenOnce()
    {
        FakeMediaControl media;
        OpenMusicFile(media, "/m/a.wav");
        OpenMusicFile(media, "/m/a.wav");
        const std::vector<std::string> once{"Close", "DeviceType=WaveAudio", "FileName=/m/a.wav",
                                            "Open", "Flag14=true"};
        QCOMPARE(media.log.size(), 2 * once.size());
        QVERIFY(std::equal(once.begin(), once.end(), media.log.begin() + once.size()));
        QCOMPARE(media.mode(), MediaMode::Stopped);
    }

    void shortNames_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("folder") << "/music/"
                                << "";
        QTest::newRow("bare") << "Song.MID"
                              << "song.mid";
        QTest::newRow("dotted folder") << "/a.b/c/x.WAV"
                                       << "x.wav";
        QTest::newRow("backslash is a character here") << "/m/a\\B.mid"
                                                       << "a\\b.mid";
        QTest::newRow("unicode lowered") << "/m/ÑANDÚ Д.WAV"
                                         << "ñandú д.wav";
    }

    void shortNames()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(QString::fromStdString(FileNameOnly(path.toStdString())), name);
    }
};

QTEST_GUILESS_MAIN(TestTrackOpener)
#include "tst_trackopener.moc"
