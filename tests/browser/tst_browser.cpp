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

} // namespace

class TestBrowser : public QObject
{
    Q_OBJECT

private slots:
    void eachFileTypeListsItsEndingsInAnyCaseFromTheFolderReadAnew()
    {
        MusicFolder folder{"a.mid",  "B.MID",     "c.Rmi",      "d.wav",
                           "g.midi", "h.wav.txt", ".hidden.wav"};
        QDir(QString::fromStdString(folder.path())).mkdir("folder.wav");
        FakeForm f;
        addFileTypes(f);
        f.form.browser().start(folder.path());
        f.window.fileType.setSelectedIndex(1);
        QCOMPARE(listed(f), (std::vector<std::string>{"a.mid", "B.MID", "c.Rmi"}));
        f.window.fileType.setSelectedIndex(2);
        QCOMPARE(listed(f), std::vector<std::string>{"d.wav"});
        folder.add("E.WAV");
        f.window.fileType.setSelectedIndex(0);
        QCOMPARE(listed(f),
                 (std::vector<std::string>{"a.mid", "B.MID", "c.Rmi", "d.wav", "E.WAV"}));
        // An index outside the table leaves the pattern alone.
        const int reads = f.window.file1.reads;
        f.window.fileType.setSelectedIndex(-1);
        QCOMPARE(f.window.file1.reads, reads);
        QCOMPARE(f.window.file1.pattern(), std::string("*.MID;*.RMI;*.WAV"));
    }

    void aDriveOpensWhereItWasLeftElseAtItsRoot()
    {
        MusicFolder start, media;
        QDir(QString::fromStdString(media.path())).mkdir("sub");
        FakeForm f;
        f.volumes.mounts = {"/", media.path()};
        f.form.browser().start(start.path());
        f.window.drive1.setDrive(media.path());
        QCOMPARE(f.window.dir1.path(), media.path()); // the drive's root
        f.window.drive1.setDrive("/");
        QCOMPARE(f.window.dir1.path(), start.path()); // the start folder, not "/"
        // The drive list follows the folder list into another mount.
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
        f.window.drive1.setDrive(media.path()); // chosen again: put back again
        QCOMPARE(f.window.drive1.drive(), std::string("/"));
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
    // Dragging between the file list and the queue.
    void theLeftButtonAloneDragsAndTheSelectionAtReleaseIsDropped()
    {
        MusicFolder folder{"a.wav", "b.mid"}, empty;
        FakeForm f;
        MainForm& d = f.form;
        f.window.fileType.addItem("Music");
        f.window.fileType.setSelectedIndex(0);
        d.browser().start(empty.path());
        d.File1_MouseMove(1);     // an empty file list
        d.lstMusicQ_MouseMove(1); // an empty queue
        QVERIFY(f.window.dir1.setPath(folder.path()));
        d.File1_MouseMove(2); // right
        d.File1_MouseMove(3); // left and right
        QVERIFY(!f.window.dragging);

        // Notes, a loudspeaker over the queue, notes again after it.
        f.window.file1.setSelectedIndex(0);
        d.File1_MouseMove(1);
        d.File1_DragOver(DragList::File1, 1);
        for (int state : {0, 1, 0, 1})
            d.lstMusicQ_DragOver(DragList::File1, state);
        QCOMPARE(f.window.pointer,
                 (std::vector<Picture>{Picture::Image2, Picture::Image3, Picture::Image2,
                                       Picture::Image3, Picture::Image2}));
        f.window.file1.setSelectedIndex(1); // changed during the drag
        d.lstMusicQ_DragDrop(DragList::File1);
        QCOMPARE(f.window.queue.items(), std::vector<std::string>{folder.entry("b.mid")});
        QCOMPARE(f.window.media.opens, 1);

        // A list dropped on itself changes nothing, no file selected or not; a queue entry
        // dropped on the file list is removed after the wait.
        f.window.file1.setSelectedIndex(-1);
        f.window.queue.setSelectedIndex(0);
        d.File1_DragDrop(DragList::File1);
        d.lstMusicQ_DragDrop(DragList::lstMusicQ);
        QVERIFY(f.loop.waits.empty());
        d.File1_DragDrop(DragList::lstMusicQ);
        QCOMPARE(f.loop.waits, std::vector<int>{300});
        QCOMPARE(f.window.queue.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestBrowser)
#include "tst_browser.moc"
