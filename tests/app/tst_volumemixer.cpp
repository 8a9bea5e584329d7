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
    void startsTheFirstMixerThatStartsOnEveryClick_data();
    void startsTheFirstMixerThatStartsOnEveryClick();
};

void TestVolumeMixer::startsTheFirstMixerThatStartsOnEveryClick_data()
{
    QTest::addColumn<Names>("installed");
    QTest::addColumn<Names>("attempts"); // for one click

    QTest::newRow("all three") << Names{"pwvucontrol", "pavucontrol-qt", "pavucontrol"}
                               << Names{"pavucontrol"};
    QTest::newRow("the Qt build only")
        << Names{"pavucontrol-qt"} << Names{"pavucontrol", "pavucontrol-qt"};
    QTest::newRow("PipeWire's only")
        << Names{"pwvucontrol"} << Names{"pavucontrol", "pavucontrol-qt", "pwvucontrol"};
    QTest::newRow("none") << Names{} << Names{"pavucontrol", "pavucontrol-qt", "pwvucontrol"};
}

void TestVolumeMixer::startsTheFirstMixerThatStartsOnEveryClick()
{
    QFETCH(Names, installed);
    QFETCH(Names, attempts);

    FakeVolumes volumes;
    FakeWindow window(volumes);
    FakeLauncher launcher;
    launcher.available = installed;
    VolumeMixer mixer(window, launcher);
    mixer.imgVolume_Click();
    mixer.imgVolume_Click();

    Names twice = attempts;
    twice.insert(twice.end(), attempts.begin(), attempts.end());
    QCOMPARE(launcher.attempts, twice);
    if (!installed.empty()) {
        QCOMPARE(window.volumeNote, std::string());
        return;
    }
    // Without a mixer, a note names what to install.
    for (const std::string& name : attempts)
        QVERIFY2(window.volumeNote.find(name) != std::string::npos, window.volumeNote.c_str());
}

QTEST_GUILESS_MAIN(TestVolumeMixer)
#include "tst_volumemixer.moc"
