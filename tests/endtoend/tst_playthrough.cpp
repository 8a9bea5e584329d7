#include "platform/audio/audiofixtures.h"
#include "platform/qt/gaugewidget.h"
#include "playerrig.h"

#include <QTemporaryDir>
#include <QTest>
#include <sndfile.h>

using namespace orvane;

class TestPlaythrough : public QObject
{
    Q_OBJECT

private slots:
    void queueAllThenPlayPlaysEveryFileInOrderThenGoesIdle()
    {
        QTemporaryDir folder;
        const std::string path = folder.path().toStdString();
        QVERIFY(testing::writeSineWav(path + "/a.wav", SF_FORMAT_PCM_16, 44100, 2, 0.4) > 0);
        testing::writeBytes(path + "/b.mid", testing::simpleMidi(0.4));
        QVERIFY(testing::writeSineWav(path + "/c.wav", SF_FORMAT_FLOAT, 22050, 1, 0.4) > 0);

        PlayerRig rig(folder.path());
        rig.control("cmdQAll")->click();
        QCOMPARE(rig.window.lstMusicQ().count(), 3);
        rig.control("Play")->click();
        QCOMPARE(rig.window.txtPlaying().text(), std::string("a.wav"));
        QCOMPARE(rig.window.txtLength().text(), std::string(" 0:00"));

        QTRY_VERIFY_WITH_TIMEOUT(rig.idle(), 20000);
        const std::vector<std::string> expected{path + "/a.wav", path + "/b.mid", path + "/c.wav"};
        QCOMPARE(rig.media.played, expected);
        QCOMPARE(rig.window.findChild<GaugeWidget*>("Gauge1")->value(), 0.0);
    }

    void theGaugeFollowsThePositionOnceASecond()
    {
        QTemporaryDir folder;
        const std::string path = folder.path().toStdString();
        QVERIFY(testing::writeSineWav(path + "/long.wav", SF_FORMAT_PCM_16, 8000, 1, 3.5) > 0);
        PlayerRig rig(folder.path());
        rig.control("cmdQAll")->click();
        rig.control("Play")->click();
        auto* gauge = rig.window.findChild<GaugeWidget*>("Gauge1");
        QCOMPARE(gauge->maximum(), 3);
        // Each status update shows the whole seconds played; a tick may land just before a
        // second is complete, so only the steps are certain, not their moments.
        QTRY_COMPARE_WITH_TIMEOUT(gauge->value(), 1.0, 3000);
        QTRY_COMPARE_WITH_TIMEOUT(gauge->value(), 2.0, 3000);
        QTRY_VERIFY_WITH_TIMEOUT(rig.idle(), 5000);
    }
};

QTEST_MAIN(TestPlaythrough)
#include "tst_playthrough.moc"
