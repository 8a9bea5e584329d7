// Where a General MIDI SoundFont is looked for, and in which order.
#include "platform/audio/soundfontlocator.h"

#include <QTest>
#include <set>

using namespace orvane;

class SoundFontLocatorTest : public QObject
{
    Q_OBJECT

private slots:
    void variableFirstThenSystemDefaultThenPackages();
    void dataFoldersDefaultToTheStandardOnes();
    void locatePassesOverWhatCannotBeRead();
};

void SoundFontLocatorTest::variableFirstThenSystemDefaultThenPackages()
{
    const auto paths = SoundFontLocator::candidates("/home/me/piano.sf2", "/opt/share/:/usr/share");
    QVERIFY(paths.size() > 6);
    QCOMPARE(paths[0], "/home/me/piano.sf2");
    QCOMPARE(paths[1], "/opt/share/sounds/sf2/default-GM.sf2");
    QCOMPARE(paths[2], "/opt/share/sounds/sf3/default-GM.sf3");
    QCOMPARE(paths[3], "/usr/share/sounds/sf2/default-GM.sf2");
    QCOMPARE(paths[4], "/usr/share/sounds/sf3/default-GM.sf3");
    const auto position = [&](const std::string& path) {
        return std::find(paths.begin(), paths.end(), path) - paths.begin();
    };
    const auto fluid = position("/usr/share/sounds/sf2/FluidR3_GM.sf2");
    const auto tim = position("/usr/share/sounds/sf2/TimGM6mb.sf2");
    QCOMPARE_LT(fluid, tim);
    QCOMPARE_LT(tim, static_cast<std::ptrdiff_t>(paths.size()));
    QCOMPARE(std::set<std::string>(paths.begin(), paths.end()).size(), paths.size());
}

void SoundFontLocatorTest::dataFoldersDefaultToTheStandardOnes()
{
    for (const char* unset : {static_cast<const char*>(nullptr), ""}) {
        const auto paths = SoundFontLocator::candidates(unset, unset);
        QCOMPARE(paths[0], "/usr/local/share/sounds/sf2/default-GM.sf2");
        QVERIFY(std::find(paths.begin(), paths.end(), "/usr/share/sounds/sf3/default-GM.sf3") !=
                paths.end());
    }
}

void SoundFontLocatorTest::locatePassesOverWhatCannotBeRead()
{
    qputenv("XDG_DATA_DIRS", "/usr/share");
    qputenv("ORVANE_SOUNDFONT", "/nowhere/missing.sf2");
    std::vector<std::string> asked;
    const SoundFontLocator onlyTim([&](const std::string& path) {
        asked.push_back(path);
        return path == "/usr/share/sounds/sf2/TimGM6mb.sf2";
    });
    QCOMPARE(onlyTim.locate().value_or(""), "/usr/share/sounds/sf2/TimGM6mb.sf2");
    QCOMPARE(asked.front(), "/nowhere/missing.sf2");

    qputenv("ORVANE_SOUNDFONT", "/mine.sf3");
    const SoundFontLocator everything([](const std::string&) { return true; });
    QCOMPARE(everything.locate().value_or(""), "/mine.sf3");

    const SoundFontLocator nothing([](const std::string&) { return false; });
    QVERIFY(!nothing.locate());
}

QTEST_GUILESS_MAIN(SoundFontLocatorTest)
#include "tst_soundfontlocator.moc"
