#include "fakes/fakeform.h"
#include "fakes/musicfolder.h"

#include <QTest>

using namespace orvane;

using DragList = MainWindowView::DragList;
using Picture = MainWindowView::DragPicture;

namespace {

std::vector<std::string> listed(FakeForm& f)
{
    std::vector<std::string> names;
    for (int i = 0; i < f.window.file1.count(); ++i)
        names.push_back(f.window.file1.name(i));
    return names;
}

void addFileTypes(FakeForm& f)
{
    for (const char* text : {"Music", "Midi", "Sound"})
        f.window.fileType.addItem(text);
}

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

class TestBrowser : public QObject
{
    Q_OBJECT

private slots:
    void fileTypesListTheirEndingsInAnyCase_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("music") << 0 << QStringList{"a.mid", "B.MID", "c.Rmi", "d.wav", "E.WAV"};
        QTest::newRow("midi") << 1 << QStringList{"a.mid", "B.MID", "c.Rmi"};
        QTest::newRow("sound") << 2 << QStringList{"d.wav", "E.WAV"};
    }

    void fileTypesListTheirEndingsInAnyCase()
    {
        QFETCH(int, index);
        QFETCH(QStringList, names);
        MusicFolder folder{"a.mid", "B.MID",  "c.Rmi",     "d.wav",      "E.WAV",
                           "f.mdi", "g.midi", "h.wav.txt", ".hidden.wav"};
        QDir(QString::fromStdString(folder.path())).mkdir("folder.wav");
        FakeForm f;
        addFileTypes(f);
        f.form.browser().start(folder.path());
        f.window.fileType.setSelectedIndex(index);
        std::vector<std::string> expected;
        for (const QString& name : names)
            expected.push_back(name.toStdString());
        QCOMPARE(listed(f), expected);
    }

    void eachFileTypeChoiceRereadsTheFolder()
    {
        MusicFolder folder{"a.mid", "b.wav"};
        FakeForm f;
        addFileTypes(f);
        f.form.browser().start(folder.path());
        f.window.fileType.setSelectedIndex(2);
        QCOMPARE(listed(f), std::vector<std::string>{"b.wav"});
        folder.add("c.mid");
        f.window.fileType.setSelectedIndex(0);
        QCOMPARE(listed(f), (std::vector<std::string>{"a.mid", "b.wav", "c.mid"}));
        // An index outside the table leaves the pattern alone.
        const int reads = f.window.file1.reads;
        f.window.fileType.setSelectedIndex(-1);
        QCOMPARE(f.window.file1.reads, reads);
        QCOMPARE(f.window.file1.pattern(), std::string("*.MID;*.RMI;*.WAV"));
    }

    void aDriveOpensItsLastFolderElseItsRoot()
    {
        MusicFolder start, media;
        FakeForm f;
        f.volumes.mounts = {"/", media.path()};
        f.form.browser().start(start.path());
        f.window.drive1.setDrive(media.path());
        QCOMPARE(f.window.dir1.path(), media.path()); // the drive's root
        QDir(QString::fromStdString(media.path())).mkdir("sub");
        QVERIFY(f.window.dir1.setPath(media.path() + "/sub"));
        f.window.drive1.setDrive("/");
        QCOMPARE(f.window.dir1.path(), start.path()); // the start folder, not "/"
        f.window.drive1.setDrive(media.path());
        QCOMPARE(f.window.dir1.path(), media.path() + "/sub");
    }

    void theDriveListFollowsTheFolderListIntoAnotherMount()
    {
        MusicFolder start, media;
        QDir(QString::fromStdString(media.path())).mkdir("sub");
        FakeForm f;
        f.volumes.mounts = {"/", media.path()};
        f.form.browser().start(start.path());
        QVERIFY(f.window.dir1.setPath(media.path() + "/sub"));
        QCOMPARE(f.window.drive1.drive(), media.path());
        QVERIFY(f.window.dir1.setPath(start.path()));
        QCOMPARE(f.window.drive1.drive(), std::string("/"));
        // Chosen again, the drive opens where the folder list left it; once that folder has
        // gone, at its root rather than being put back.
        f.window.drive1.setDrive(media.path());
        QCOMPARE(f.window.dir1.path(), media.path() + "/sub");
        f.window.drive1.setDrive("/");
        QVERIFY(QDir(QString::fromStdString(media.path())).rmdir("sub"));
        f.window.drive1.setDrive(media.path());
        QCOMPARE(f.window.drive1.drive(), media.path());
        QCOMPARE(f.window.dir1.path(), media.path());
    }

    void anUnmountedDriveGivesWayToTheDriveThatHoldsTheFolder()
    {
        MusicFolder start{"a.wav"}, media;
        QDir(QString::fromStdString(media.path())).mkdir("sub");
        FakeForm f;
        f.volumes.mounts = {"/", media.path()};
        f.form.browser().start(start.path());
        f.form.browser().volumesChanged(); // a mount elsewhere changes nothing shown
        QCOMPARE(f.window.dir1.path(), start.path());
        QVERIFY(f.window.dir1.setPath(media.path() + "/sub"));
        // Unmounted with its folders gone: the drive that holds the path now, at its folder.
        QVERIFY(QDir(QString::fromStdString(media.path())).rmdir("sub"));
        f.volumes.mounts = {"/"};
        f.form.browser().volumesChanged();
        QCOMPARE(f.window.drive1.drive(), std::string("/"));
        QCOMPARE(f.window.dir1.path(), start.path());
        QCOMPARE(listed(f), std::vector<std::string>{"a.wav"});
    }

    void anUnreadableDriveIsPutBackSilently()
    {
        MusicFolder start{"a.wav"}, media;
        FakeForm f;
        addFileTypes(f);
        f.volumes.mounts = {"/", media.path()};
        f.form.browser().start(start.path());
        f.window.fileType.setSelectedIndex(2);
        f.window.queue.addItem("/elsewhere/x.mid");
        f.window.dir1.unreadable.insert(media.path());
        const int changes = f.window.drive1.changes;
        f.window.drive1.setDrive(media.path());
        QCOMPARE(f.window.drive1.drive(), std::string("/"));
        QCOMPARE(f.window.drive1.changes, changes + 2); // the choice, then the nested put-back
        QCOMPARE(f.window.dir1.path(), start.path());
        QCOMPARE(listed(f), std::vector<std::string>{"a.wav"});
        QCOMPARE(f.window.fileType.selectedIndex(), 2);
        QCOMPARE(f.window.queue.items(), std::vector<std::string>{"/elsewhere/x.mid"});
        QCOMPARE(f.window.beeps, 0);
    }

    void nothingReadableAnywhereDoesNotLoop()
    {
        MusicFolder media;
        FakeForm f;
        f.volumes.mounts = {"/", media.path()};
        f.window.dir1.unreadable = {"/", media.path()};
        f.window.drive1.setDrive(media.path());
        f.window.drive1.setDrive("/");
        QCOMPARE(f.window.dir1.path(), std::string());
    }

    void browsingNeverChangesTheQueue()
    {
        MusicFolder one{"a.wav"}, two{"b.mid"};
        FakeForm f;
        addFileTypes(f);
        f.form.browser().start(one.path());
        f.window.fileType.setSelectedIndex(0);
        f.form.queue().cmdQAll_Click();
        QVERIFY(f.window.dir1.setPath(two.path()));
        f.window.fileType.setSelectedIndex(1);
        QCOMPARE(f.window.queue.items(), std::vector<std::string>{one.entry("a.wav")});
        QCOMPARE(listed(f), std::vector<std::string>{"b.mid"});
    }


    // Dragging between the file list and the queue.
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

QTEST_GUILESS_MAIN(TestBrowser)
#include "tst_browser.moc"
