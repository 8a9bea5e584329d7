#include "fakes/fakeform.h"
#include "fakes/musicfolder.h"

#include <QTest>

using namespace orvane;

using DragList = MainWindowView::DragList;
using Picture = MainWindowView::DragPicture;

namespace {

struct Browsing
{
    Browsing()
    {
        f.window.fileType.addItem("Music");
        f.window.fileType.setSelectedIndex(0);
        f.form.browser().start(folder.path());
    }

    MusicFolder folder{"a.wav", "b.mid"};
    FakeForm f;
};

} // namespace

class TestDragDrop : public QObject
{
    Q_OBJECT

private slots:
    void aFileDroppedOnTheQueueIsAdded()
    {
        Browsing b;
        MainForm& d = b.f.form;
        b.f.window.file1.setSelectedIndex(1);
        d.File1_MouseMove(1);
        QCOMPARE(b.f.window.dragging, std::optional<DragList>(DragList::File1));
        d.lstMusicQ_DragOver(DragList::File1, 0);
        d.lstMusicQ_DragOver(DragList::File1, 2);
        d.lstMusicQ_DragDrop(DragList::File1);
        QCOMPARE(b.f.window.queue.items(), std::vector<std::string>{b.folder.entry("b.mid")});
        QCOMPARE(b.f.window.media.opens, 1);
    }

    void aQueueEntryDroppedOnTheFileListIsRemovedAfterTheWait()
    {
        Browsing b;
        MainForm& d = b.f.form;
        b.f.form.queue().cmdQAll_Click();
        b.f.window.queue.setSelectedIndex(1);
        d.lstMusicQ_MouseMove(1);
        d.File1_DragDrop(DragList::lstMusicQ);
        QCOMPARE(b.f.loop.waits, std::vector<int>{300});
        QCOMPARE(b.f.window.queue.items(), std::vector<std::string>{b.folder.entry("a.wav")});
    }

    void onlyTheLeftButtonAloneOverANonEmptyListDrags()
    {
        Browsing b;
        MainForm& d = b.f.form;
        d.File1_MouseMove(2);     // right
        d.File1_MouseMove(3);     // left and right
        d.lstMusicQ_MouseMove(1); // empty queue
        QVERIFY(!b.f.window.dragging);
        MusicFolder empty;
        QVERIFY(b.f.window.dir1.setPath(empty.path()));
        d.File1_MouseMove(1);
        QVERIFY(!b.f.window.dragging);
    }

    void aListDroppedOnItselfChangesNothing()
    {
        Browsing b;
        MainForm& d = b.f.form;
        b.f.form.queue().cmdQAll_Click();
        b.f.window.queue.setSelectedIndex(0);
        b.f.window.file1.setSelectedIndex(0);
        d.File1_DragDrop(DragList::File1);
        d.lstMusicQ_DragDrop(DragList::lstMusicQ);
        QCOMPARE(b.f.window.queue.count(), 2);
        QVERIFY(b.f.loop.waits.empty());
    }

    void theDragValueIsReadAtRelease()
    {
        Browsing b;
        MainForm& d = b.f.form;
        b.f.window.file1.setSelectedIndex(0);
        d.File1_MouseMove(1);
        b.f.window.file1.setSelectedIndex(1); // changed during the drag
        d.lstMusicQ_DragDrop(DragList::File1);
        QCOMPARE(b.f.window.queue.items(), std::vector<std::string>{b.folder.entry("b.mid")});
    }

    void thePointerFollowsTheListUnderIt()
    {
        Browsing b;
        MainForm& d = b.f.form;
        b.f.window.file1.setSelectedIndex(0);
        // From the file list: notes, loudspeaker over the queue, notes again after it.
        d.File1_MouseMove(1);
        d.File1_DragOver(DragList::File1, 1);
        d.lstMusicQ_DragOver(DragList::File1, 0);
        d.lstMusicQ_DragOver(DragList::File1, 1);
        d.lstMusicQ_DragOver(DragList::File1, 0);
        d.lstMusicQ_DragOver(DragList::File1, 1);
        QCOMPARE(b.f.window.pointer,
                 (std::vector<Picture>{Picture::Image2, Picture::Image3, Picture::Image2,
                                       Picture::Image3, Picture::Image2}));
        b.f.window.dragging.reset();
        b.f.window.pointer.clear();
        // From the queue: loudspeaker, notes over the file list, loudspeaker after it.
        b.f.form.queue().cmdQAll_Click();
        b.f.window.queue.setSelectedIndex(0);
        d.lstMusicQ_MouseMove(1);
        d.lstMusicQ_DragOver(DragList::lstMusicQ, 1);
        d.File1_DragOver(DragList::lstMusicQ, 0);
        d.File1_DragOver(DragList::lstMusicQ, 2);
        d.File1_DragOver(DragList::lstMusicQ, 1);
        QCOMPARE(b.f.window.pointer,
                 (std::vector<Picture>{Picture::Image3, Picture::Image2, Picture::Image3}));
    }
};

QTEST_GUILESS_MAIN(TestDragDrop)
#include "tst_dragdrop.moc"
