// Filling and editing the queue, over the real engine: what the queue holds, and what it does to
// what plays.
#include "fakes/musicfolder.h"
#include "fakes/playerrig.h"
#include "queue/scratchlist.h"

#include <QTest>
#include <deque>
#include <random>

using namespace orvane;

using Entries = std::vector<std::string>;

namespace {

// Starts the form in `folder`, every music file listed.
void startIn(PlayerRig& rig, const MusicFolder& folder)
{
    rig.system.current = folder.path();
    rig.form.Form_Load();
}

} // namespace

class TestQueueBuilder : public QObject
{
    Q_OBJECT

private slots:
    void queueAllAppendsInListOrderOpensTheHeadAndClearAllEmptiesIt()
    {
        MusicFolder empty{"notes.txt"}, folder{{"b.wav", "A.mid", "c.RMI", "notes.txt"}, true};
        PlayerRig rig;
        startIn(rig, empty); // an empty file list queues nothing and opens nothing
        rig.form.cmdQAll_Click();
        rig.form.cmdRnd_Click();
        QCOMPARE(rig.model().lstMusicQ.count(), 0);
        QCOMPARE(rig.media.mode(), MediaMode::NotOpen);
        rig.form.Dir1_Open(folder.path());
        rig.form.cmdQAll_Click();
        rig.form.queue_Click();
        const Entries once = folder.entries({"A.mid", "b.wav", "c.RMI"});
        Entries twice = once;
        twice.insert(twice.end(), once.begin(), once.end());
        QCOMPARE(rig.model().lstMusicQ.items(), twice);
        QCOMPARE(rig.media.mode(), MediaMode::Stopped); // the head opened, not played
        // While a track plays, queueing opens the head again: the track stops.
        rig.form.play_Click();
        rig.loop.advance(100);
        rig.form.cmdQAll_Click();
        QCOMPARE(rig.media.mode(), MediaMode::Stopped);
        rig.loop.advance(100);
        QVERIFY(rig.heard().endsWith(", 0 x 100 ms"));
        // Clear All empties the queue and closes what plays; and clears the name even when empty.
        rig.form.play_Click();
        rig.loop.advance(100);
        rig.form.clear_Click();
        QCOMPARE(rig.model().lstMusicQ.count(), 0);
        QCOMPARE(rig.model().txtPlaying.text(), std::string());
        QCOMPARE(rig.media.mode(), MediaMode::NotOpen);
        rig.model().txtPlaying.setText("stale");
        rig.form.cmdClear_Click();
        QCOMPARE(rig.model().txtPlaying.text(), std::string());
    }

    void randomiseQueuesEveryFileOnceAsTheDrawsSay()
    {
        MusicFolder folder{{"a.wav", "b.wav", "c.wav", "d.wav"}, true};
        PlayerRig rig;
        startIn(rig, folder);
        // pick = floor(n * r + 1): 4*0.5+1 = 3 -> c; 3*0+1 = 1 -> a; then the largest draw
        // below 1 must pick the last remaining name, never one past it.
        const float largest = std::nextafter(1.0f, 0.0f);
        rig.random.draws = {0.5f, 0.0f, largest, largest};
        rig.form.random_Click();
        QCOMPARE(rig.model().lstMusicQ.items(),
                 folder.entries({"c.wav", "a.wav", "d.wav", "b.wav"}));
        QCOMPARE(rig.media.mode(), MediaMode::Stopped);
    }

    void enterAndDoubleClickAddTheSelectedFileAndOpenOnlyAFirstEntry()
    {
        MusicFolder folder{{"a.wav", "b.wav"}, true};
        PlayerRig rig;
        startIn(rig, folder);
        rig.form.File1_KeyPress(13); // nothing selected: nothing added
        QCOMPARE(rig.model().lstMusicQ.count(), 0);
        rig.form.File1_Select(1);
        for (int key : {10, 32, 97, 27})
            rig.form.File1_KeyPress(key);
        QCOMPARE(rig.model().lstMusicQ.count(), 0);
        rig.form.File1_KeyPress(13);
        QCOMPARE(rig.model().lstMusicQ.items(), Entries{folder.entry("b.wav")});
        QCOMPARE(rig.media.mode(), MediaMode::Stopped);
        rig.form.play_Click();
        rig.form.File1_Select(0);
        rig.form.File1_DblClick();
        QCOMPARE(rig.model().lstMusicQ.items(), folder.entries({"b.wav", "a.wav"}));
        QCOMPARE(rig.media.mode(), MediaMode::Playing); // not disturbed
    }

    void removalTakesTheSelectionAfterTheWaitAndLeavesTheHeadPlaying()
    {
        MusicFolder folder{{"a.wav", "b.wav", "c.wav"}, true};
        testing::writeLevel(folder.entry("a.wav"), 5000, 0.25f); // plays through the waits
        PlayerRig rig;
        startIn(rig, folder);
        rig.form.cmdQAll_Click();
        rig.form.play_Click();
        rig.form.lstMusicQ_Select(0);
        rig.loop.duringWait = [&rig] { rig.form.lstMusicQ_Select(2); };
        rig.form.lstMusicQ_DblClick();
        QCOMPARE(rig.loop.waits, std::vector<int>{300});
        QCOMPARE(rig.model().lstMusicQ.items(), folder.entries({"a.wav", "b.wav"}));
        // The selection gone during the wait: nothing is removed.
        rig.loop.duringWait = [&rig] { rig.form.lstMusicQ_Select(-1); };
        rig.form.lstMusicQ_DblClick();
        QCOMPARE(rig.model().lstMusicQ.count(), 2);
        // Delete does the same, other keys nothing; the head removed goes on playing, and the
        // entry that moved up is selected for the next Delete.
        rig.form.lstMusicQ_Select(0);
        for (int key : {8, 13, 45, 46})
            rig.form.lstMusicQ_KeyDown(key);
        QCOMPARE(rig.model().lstMusicQ.items(), folder.entries({"b.wav"}));
        QCOMPARE(rig.model().lstMusicQ.selectedIndex(), 0);
        QCOMPARE(rig.media.mode(), MediaMode::Playing);
        QCOMPARE(rig.model().txtPlaying.text(), std::string("a.wav"));
        // The last entry removed: playback stops; in an empty queue at once, without a wait.
        rig.form.lstMusicQ_KeyDown(46);
        QCOMPARE(rig.media.mode(), MediaMode::NotOpen);
        QCOMPARE(rig.model().txtPlaying.text(), std::string());
        rig.loop.waits.clear();
        rig.form.lstMusicQ_DblClick();
        QVERIFY(rig.loop.waits.empty());
        // The window closed during the wait: the handler goes no further, nothing is removed.
        rig.form.cmdQAll_Click();
        rig.form.lstMusicQ_Select(1);
        rig.loop.duringWait = [&rig] { rig.form.Form_Unload(); };
        rig.form.lstMusicQ_DblClick();
        QCOMPARE(rig.model().lstMusicQ.count(), 3);
    }

    void theQueueNeverGrowsPastItsLimit()
    {
        MusicFolder folder{{"a.wav", "b.wav"}, true};
        PlayerRig rig;
        startIn(rig, folder);
        ListModel& queue = rig.model().lstMusicQ;
        queue.assign(std::vector<std::string>(kMaxListEntries + 1, folder.entry("a.wav")));
        QCOMPARE(queue.count(), kMaxListEntries);
        queue.removeItem(0);
        rig.form.play_Click();
        rig.form.cmdQAll_Click();
        rig.form.cmdRnd_Click();
        QCOMPARE(rig.model().lstMusicQ.count(), kMaxListEntries - 1);
        QCOMPARE(rig.view.beeps, 2);
        QCOMPARE(rig.media.mode(), MediaMode::Playing); // playback as it was
        rig.form.File1_Select(0);
        rig.form.File1_DblClick(); // one more fits exactly
        QCOMPARE(rig.model().lstMusicQ.count(), kMaxListEntries);
        rig.form.File1_DblClick();
        QCOMPARE(rig.model().lstMusicQ.count(), kMaxListEntries);
        QCOMPARE(rig.view.beeps, 3);
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
