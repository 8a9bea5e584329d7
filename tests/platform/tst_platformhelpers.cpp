#include "fakes/fakemediacontrol.h"
#include "fakes/musicfolder.h"
#include "platform/posix/folderlisting.h"
#include "playback/mediabuttons.h"
#include "queue/scratchlist.h"

#include <QTest>
#include <deque>
#include <random>

using namespace orvane;

namespace {

// Records the button events; cancels the ones it is told to.
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
    std::vector<std::string> raised;

private:
    void record(const char* button, bool& Cancel)
    {
        raised.push_back(button);
        if (cancel)
            Cancel = true;
    }
};

} // namespace

class TestPlatformHelpers : public QObject
{
    Q_OBJECT

private slots:
    void scratchListMatchesAPlainList()
    {
        std::mt19937 engine(7);
        for (int round = 0; round < 20; ++round) {
            ScratchList list;
            std::deque<std::string> reference;
            for (int step = 0; step < 400; ++step) {
                if (reference.empty() || engine() % 3 != 0) {
                    const std::string text = std::to_string(step);
                    list.addItem(text);
                    reference.push_back(text);
                } else {
                    const int index = static_cast<int>(engine() % reference.size());
                    QCOMPARE(list.item(index), reference[index]);
                    list.removeItem(index);
                    reference.erase(reference.begin() + index);
                }
                QCOMPARE(list.count(), static_cast<int>(reference.size()));
            }
            for (int i = 0; i < list.count(); ++i)
                QCOMPARE(list.item(i), reference[i]);
            while (list.count() > 0)
                list.removeItem(list.count() - 1);
            list.addItem("again"); // usable once emptied
            QCOMPARE(list.item(0), std::string("again"));
        }
    }

    void scratchListHoldsAtMostTheLimit()
    {
        ScratchList list;
        for (int i = 0; i <= kMaxListEntries; ++i)
            list.addItem("x");
        QCOMPARE(list.count(), kMaxListEntries);
    }

    void patterns_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("matches");
        QTest::newRow("upper pattern, lower name") << "song.mid"
                                                   << "*.MID" << true;
        QTest::newRow("any of several") << "a.Wav"
                                        << "*.MID;*.RMI;*.WAV" << true;
        QTest::newRow("ending only") << "a.mid.bak"
                                     << "*.MID" << false;
        QTest::newRow("no dot") << "amid"
                                << "*.MID" << false;
        QTest::newRow("bare extension") << ".mid"
                                        << "*.MID" << true;
        QTest::newRow("question mark") << "a1.wav"
                                       << "a?.WAV" << true;
        QTest::newRow("empty piece") << "a.txt"
                                     << ";*.WAV" << false;
        QTest::newRow("many stars") << "aaaaaaaaaaaaaaaaaaaaaaaaaaaaab"
                                    << "*a*a*a*a*a*a*c" << false;
    }

    void patterns()
    {
        QFETCH(QString, name);
        QFETCH(QString, pattern);
        QFETCH(bool, matches);
        QCOMPARE(matchesPattern(name.toStdString(), pattern.toStdString()), matches);
    }

    void listingIsSortedWithoutRegardToCaseAndLimited()
    {
        MusicFolder folder{"b.wav", "A.wav", "c.WAV", "a.wav", ".h.wav", "x.mid"};
        QDir(QString::fromStdString(folder.path())).mkdir("d.wav");
        const auto names = listMatchingFiles(folder.path(), "*.WAV", 100);
        QCOMPARE(names, (std::vector<std::string>{"A.wav", "a.wav", "b.wav", "c.WAV"}));
        QCOMPARE(listMatchingFiles(folder.path(), "*.WAV", 2).size(), std::size_t(2));
        QVERIFY(listMatchingFiles("/no/such/folder", "*", 100).empty());
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
        buttons.press(MediaButton::Play);
        buttons.press(MediaButton::Next);
        buttons.press(MediaButton::Pause);
        QVERIFY(media.log.empty());
        QCOMPARE(events.raised,
                 (std::vector<std::string>{"Pause", "Pause", "Stop", "Play", "Next", "Pause"}));
    }
};

QTEST_GUILESS_MAIN(TestPlatformHelpers)
#include "tst_platformhelpers.moc"
