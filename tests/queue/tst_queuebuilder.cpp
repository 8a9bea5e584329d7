#include "fakes/fakeform.h"
#include "fakes/musicfolder.h"
#include "queue/scratchlist.h"

#include <QTest>
#include <deque>
#include <random>

using namespace orvane;

namespace {

// A form browsing `folder` with every music file listed.
void browse(FakeForm& f, const MusicFolder& folder)
{
    f.window.fileType.addItem("Music");
    f.window.fileType.setSelectedIndex(0);
    QVERIFY(f.window.dir1.setPath(folder.path()));
}

} // namespace

class TestQueueBuilder : public QObject
{
    Q_OBJECT

private slots:
    void queueAllTwiceAppendsTwiceAndReopensTheHead()
    {
        MusicFolder empty{"notes.txt"}, folder{"b.wav", "A.mid", "c.RMI", "notes.txt"};
        FakeForm f;
        browse(f, empty); // an empty file list queues nothing and touches nothing
        f.form.queue().cmdQAll_Click();
        f.form.queue().cmdRnd_Click();
        QCOMPARE(f.window.queue.count(), 0);
        QVERIFY(f.window.media.log.empty());
        QVERIFY(f.window.dir1.setPath(folder.path()));
        f.form.queue().cmdQAll_Click();
        f.form.queue().cmdQAll_Click();
        const std::vector<std::string> once = folder.entries({"A.mid", "b.wav", "c.RMI"});
        std::vector<std::string> twice = once;
        twice.insert(twice.end(), once.begin(), once.end());
        QCOMPARE(f.window.queue.items(), twice);
        QCOMPARE(f.window.media.opens, 2);
        QCOMPARE(f.window.media.fileName(), folder.entry("A.mid"));
        QCOMPARE(f.window.media.mode(), MediaMode::Stopped); // opened, not played
        // While a track plays, queueing reopens the head: the track stops.
        f.form.player().PlayQueueHead();
        f.form.queue().cmdQAll_Click();
        QCOMPARE(f.window.media.mode(), MediaMode::Stopped);
    }

    void randomiseQueuesEveryFileOnceAsTheDrawsSay()
    {
        MusicFolder folder{"a.wav", "b.wav", "c.wav", "d.wav"};
        FakeForm f;
        browse(f, folder);
        // pick = floor(n * r + 1): 4*0.5+1 = 3 -> c; 3*0+1 = 1 -> a; then the largest draw
        // below 1 must pick the last remaining name, never one past it.
        const float largest = std::nextafter(1.0f, 0.0f);
        f.random.draws = {0.5f, 0.0f, largest, largest};
        f.form.queue().cmdRnd_Click();
        QCOMPARE(f.window.queue.items(), folder.entries({"c.wav", "a.wav", "d.wav", "b.wav"}));
        QCOMPARE(f.window.media.fileName(), folder.entry("c.wav"));
    }

    void clearAllEmptiesAndResets()
    {
        MusicFolder folder{"a.wav", "b.wav"};
        FakeForm f;
        browse(f, folder);
        f.form.queue().cmdQAll_Click();
        f.form.player().PlayQueueHead();
        f.form.queue().clear_Click();
        QCOMPARE(f.window.queue.count(), 0);
        QCOMPARE(f.window.playing.text(), std::string());
        QCOMPARE(f.window.media.mode(), MediaMode::NotOpen);
        // On an empty queue it still resets.
        f.window.playing.setText("stale");
        f.form.queue().cmdClear_Click();
        QCOMPARE(f.window.playing.text(), std::string());
    }

    void addingOpensOnlyTheFirstEntry()
    {
        MusicFolder folder{"a.wav", "b.wav"};
        FakeForm f;
        browse(f, folder);
        f.form.queue().File1_KeyPress(13);
        QCOMPARE(f.window.queue.count(), 0);
        QVERIFY(f.window.media.log.empty());
        f.window.file1.setSelectedIndex(1);
        for (int key : {10, 32, 97, 27})
            f.form.queue().File1_KeyPress(key);
        QCOMPARE(f.window.queue.count(), 0);
        f.form.queue().File1_KeyPress(13);
        QCOMPARE(f.window.queue.items(), std::vector<std::string>{folder.entry("b.wav")});
        QCOMPARE(f.window.media.opens, 1);
        f.form.player().PlayQueueHead();
        f.window.file1.setSelectedIndex(0);
        f.form.queue().File1_DblClick();
        QCOMPARE(f.window.queue.count(), 2);
        QCOMPARE(f.window.media.mode(), MediaMode::Playing); // not disturbed
    }

    void removalUsesTheSelectionAfterTheWait()
    {
        FakeForm f;
        for (const char* entry : {"/m/a.wav", "/m/b.wav", "/m/c.wav"})
            f.window.queue.addItem(entry);
        f.window.queue.setSelectedIndex(0);
        f.loop.duringWait = [&f] { f.window.queue.setSelectedIndex(2); };
        f.form.queue().lstMusicQ_DblClick();
        QCOMPARE(f.loop.waits, std::vector<int>{300});
        QCOMPARE(f.window.queue.items(), (std::vector<std::string>{"/m/a.wav", "/m/b.wav"}));
        // The selection gone during the wait (the head moved on): nothing is removed.
        f.loop.duringWait = [&f] { f.window.queue.setSelectedIndex(-1); };
        f.form.queue().lstMusicQ_DblClick();
        QCOMPARE(f.window.queue.count(), 2);
        // Delete does the same; other keys nothing.
        f.loop.duringWait = nullptr;
        f.window.queue.setSelectedIndex(1);
        for (int key : {8, 13, 45, 46})
            f.form.queue().lstMusicQ_KeyDown(key);
        QCOMPARE(f.loop.waits, (std::vector<int>{300, 300, 300}));
        QCOMPARE(f.window.queue.items(), std::vector<std::string>{"/m/a.wav"});
    }

    void removingTheHeadKeepsItPlayingTillTheLastEntryGoes()
    {
        FakeForm f;
        f.window.queue.addItem("/m/a.wav");
        f.window.queue.addItem("/m/b.wav");
        f.form.player().PlayQueueHead();
        f.window.queue.setSelectedIndex(0);
        f.form.queue().lstMusicQ_DblClick();
        QCOMPARE(f.window.queue.items(), std::vector<std::string>{"/m/b.wav"});
        QCOMPARE(f.window.media.mode(), MediaMode::Playing);
        f.window.queue.setSelectedIndex(0);
        f.form.queue().lstMusicQ_DblClick();
        QCOMPARE(f.window.queue.count(), 0);
        QCOMPARE(f.window.media.mode(), MediaMode::NotOpen);
        // On an empty queue the double-click resets at once, without waiting.
        f.loop.waits.clear();
        f.form.queue().lstMusicQ_DblClick();
        QVERIFY(f.loop.waits.empty());
    }

    void theQueueNeverGrowsPastItsLimit()
    {
        MusicFolder folder{"a.wav", "b.wav"};
        FakeForm f;
        browse(f, folder);
        for (int i = 0; i < kMaxListEntries - 1; ++i)
            f.window.queue.addItem("/m/x.wav");
        f.form.player().PlayQueueHead();
        f.form.queue().cmdQAll_Click();
        f.form.queue().cmdRnd_Click();
        QCOMPARE(f.window.queue.count(), kMaxListEntries - 1);
        QCOMPARE(f.window.beeps, 2);
        QCOMPARE(f.window.media.mode(), MediaMode::Playing); // playback as it was
        f.window.file1.setSelectedIndex(0);
        f.form.queue().File1_DblClick(); // one more fits exactly
        QCOMPARE(f.window.queue.count(), kMaxListEntries);
        f.form.queue().File1_DblClick();
        QCOMPARE(f.window.queue.count(), kMaxListEntries);
        QCOMPARE(f.window.beeps, 3);
    }

    void scratchListMatchesAPlainList()
    {
        std::mt19937 engine(7);
        ScratchList list;
        std::deque<std::string> reference;
        for (int step = 0; step < 3000; ++step) {
            if (reference.empty() || engine() % 3 != 0) {
                list.addItem(std::to_string(step));
                reference.push_back(std::to_string(step));
            } else {
                const int index = static_cast<int>(engine() % reference.size());
                QCOMPARE(list.item(index), reference[index]);
                list.removeItem(index);
                reference.erase(reference.begin() + index);
            }
            QCOMPARE(list.count(), static_cast<int>(reference.size()));
            if (step % 1000 == 999) { // emptied, and usable again
                while (list.count() > 0)
                    list.removeItem(list.count() - 1);
                reference.clear();
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestQueueBuilder)
#include "tst_queuebuilder.moc"
