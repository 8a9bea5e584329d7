#include "app/volumemixer.h"
#include "fakes/fakeplatform.h"
#include "fakes/fakewindow.h"

#include <QTest>

using namespace orvane;

using Names = std::vector<std::string>;
Q_DECLARE_METATYPE(Names)

class TestVolumeMixer : public QObject
{
    Q_OBJECT
private slots:
    void startsTheFirstMixerThatStarts_data();
    void startsTheFirstMixerThatStarts();
    void withNoMixerShowsANote();
    void everyClickStartsTheMixerAgain();
};

void TestVolumeMixer::startsTheFirstMixerThatStarts_data()
{
    QTest::addColumn<Names>("installed");
    QTest::addColumn<Names>("attempts");

    QTest::newRow("all three") << Names{"pwvucontrol", "pavucontrol-qt", "pavucontrol"}
                               << Names{"pavucontrol"};
    QTest::newRow("the Qt build only")
        << Names{"pavucontrol-qt"} << Names{"pavucontrol", "pavucontrol-qt"};
    QTest::newRow("PipeWire's only")
        << Names{"pwvucontrol"} << Names{"pavucontrol", "pavucontrol-qt", "pwvucontrol"};
}

void TestVolumeMixer::startsTheFirstMixerThatStarts()
{
    QFETCH(Names, installed);
    QFETCH(Names, attempts);

    FakeVolumes volumes;
    FakeWindow window(volumes);
    FakeLauncher launcher;
    launcher.available = installed;
    VolumeMixer mixer(window, launcher);
    mixer.imgVolume_Click();

    QCOMPARE(launcher.attempts, attempts);
    QCOMPARE(window.volumeNote, std::string());
}

void TestVolumeMixer::withNoMixerShowsANote()
{
    FakeVolumes volumes;
    FakeWindow window(volumes);
    FakeLauncher launcher;
    VolumeMixer mixer(window, launcher);
    mixer.imgVolume_Click();

    QCOMPARE(launcher.attempts, (Names{"pavucontrol", "pavucontrol-qt", "pwvucontrol"}));
    // The note names what to install.
    for (const char* name : {"pavucontrol", "pavucontrol-qt", "pwvucontrol"})
        QVERIFY2(window.volumeNote.find(name) != std::string::npos, window.volumeNote.c_str());
}

void TestVolumeMixer::everyClickStartsTheMixerAgain()
{
    FakeVolumes volumes;
    FakeWindow window(volumes);
    FakeLauncher launcher;
    launcher.available = {"pavucontrol"};
    VolumeMixer mixer(window, launcher);
    mixer.imgVolume_Click();
    mixer.imgVolume_Click();

    QCOMPARE(launcher.attempts, (Names{"pavucontrol", "pavucontrol"}));
}

QTEST_GUILESS_MAIN(TestVolumeMixer)
#include "tst_volumemixer.moc"
