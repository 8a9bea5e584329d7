// Drives, folders, file types and dragging, over real folders: what the lists show and what the
// queue gets.
#include "fakes/musicfolder.h"
#include "fakes/playerrig.h"

#include <QTest>

using namespace orvane;

using DragList = MainWindowView::DragList;
using Picture = MainWindowView::DragPicture;
using Names = std::vector<std::string>;

namespace {

void startIn(PlayerRig& rig, const std::string& folder)
{
    rig.system.current = folder;
    rig.form.Form_Load();
}

} // namespace

class TestBrowser : public QObject
{
    Q_OBJECT

private slots:
    void eachFileTypeListsItsEndingsInAnyCaseFromTheFolderReadAnew()
    {
        MusicFolder folder{"a.mid",  "B.MID",     "c.Rmi",       "d.wav",
                           "g.midi", "h.wav.txt", ".hidden.wav", "folder.wav/"};
        PlayerRig rig;
        const FileListModel& files = rig.model().File1;
        startIn(rig, folder.path());
        rig.form.cboFileType_Pick(1);
        QCOMPARE(files.items(), (Names{"a.mid", "B.MID", "c.Rmi"}));
        rig.form.cboFileType_Pick(2);
        QCOMPARE(files.items(), Names{"d.wav"});
        folder.add("E.WAV");
        rig.form.cboFileType_Pick(0);
        QCOMPARE(files.items(), (Names{"a.mid", "B.MID", "c.Rmi", "d.wav", "E.WAV"}));
        // An index outside the table leaves the pattern, and the list, as they are.
        folder.add("F.WAV");
        rig.form.browser().setFileType(-1);
        QCOMPARE(files.count(), 5);
        QCOMPARE(files.pattern(), std::string("*.MID;*.RMI;*.WAV"));
    }

    void aSlowFolderFillsInInOrderUnlessLeftMeanwhile()
    {
        // A few names go in one by one, many by merging the list anew.
        for (const int count : {5, 150}) {
            MusicFolder folder;
            Names all;
            for (int i = 0; i < count; ++i) {
                all.push_back((i % 2 ? "T" : "t") + std::to_string(100 + i) + ".wav");
                folder.add(QString::fromStdString(all.back()));
            }
            PlayerRig rig;
            FileListModel& files = rig.model().File1;
            rig.files.slow.insert(folder.path());
            startIn(rig, folder.path());
            QCOMPARE(files.count(), (count + 1) / 2);
            rig.form.File1_Select(1);
            const std::string selected = files.selectedItem();
            rig.files.restOfListing();
            QCOMPARE(files.items(), all);
            QCOMPARE(files.selectedItem(), selected);

            // The rest of a listing no longer shown is dropped.
            rig.form.cboFileType_Pick(2);
            const auto staleRest = rig.files.restOfListing;
            rig.form.cboFileType_Pick(1);
            staleRest();
            QCOMPARE(files.count(), 0);
        }
    }

    void aDriveOpensWhereItWasLeftElseAtItsRoot()
    {
        MusicFolder start, media{"sub/"};
        PlayerRig rig;
        const FormModel& model = rig.model();
        rig.volumes.mounts = {"/", media.path()};
        startIn(rig, start.path());
        rig.form.Drive1_Pick(media.path());
        QCOMPARE(model.Dir1.path(), media.path()); // the drive's root, its sub-folder below
        const std::vector<FolderListModel::Row> rows = model.Dir1.rows();
        QCOMPARE(rows.back().path, media.entry("sub"));
        QVERIFY(!rows.back().open && rows[rows.size() - 2].path == media.path());
        rig.form.Drive1_Pick("/");
        QCOMPARE(model.Dir1.path(), start.path()); // the start folder, not "/"
        // The drive list follows the folder list into another mount, which is read once.
        const int reads = rig.files.folderReads;
        rig.form.Dir1_Open(media.entry("sub"));
        QCOMPARE(model.Drive1.drive(), media.path());
        QCOMPARE(rig.files.folderReads, reads + 1);
        rig.form.Dir1_Open(start.path());
        QCOMPARE(model.Drive1.drive(), std::string("/"));
        // Chosen again, the drive opens where the folder list left it; once that folder has
        // gone, at its root rather than being put back.
        rig.form.Drive1_Pick(media.path());
        QCOMPARE(model.Dir1.path(), media.entry("sub"));
        rig.form.Drive1_Pick("/");
        QVERIFY(QDir(QString::fromStdString(media.path())).rmdir("sub"));
        rig.form.Drive1_Pick(media.path());
        QCOMPARE(model.Drive1.drive(), media.path());
        QCOMPARE(model.Dir1.path(), media.path());
    }

    void anUnmountedDriveGivesWayToTheDriveThatHoldsTheFolder()
    {
        MusicFolder start{"a.wav"}, media{"sub/"};
        PlayerRig rig;
        const FormModel& model = rig.model();
        rig.volumes.mounts = {"/", media.path()};
        startIn(rig, start.path());
        rig.form.browser().volumesChanged(); // a mount elsewhere changes nothing shown
        QCOMPARE(model.Dir1.path(), start.path());
        rig.form.Dir1_Open(media.entry("sub"));
        // Unmounted with its folders gone: the drive that holds the path now, at its folder.
        QVERIFY(QDir(QString::fromStdString(media.path())).rmdir("sub"));
        rig.volumes.mounts = {"/"};
        rig.form.browser().volumesChanged();
        QCOMPARE(model.Drive1.drives(), Names{"/"});
        QCOMPARE(model.Drive1.drive(), std::string("/"));
        QCOMPARE(model.Dir1.path(), start.path());
        QCOMPARE(model.File1.items(), Names{"a.wav"});
    }

    void anUnreadableDriveIsPutBackSilentlyEachTime()
    {
        MusicFolder start{"a.wav"}, media;
        PlayerRig rig;
        const FormModel& model = rig.model();
        rig.volumes.mounts = {"/", media.path()};
        startIn(rig, start.path());
        rig.form.cboFileType_Pick(2);
        rig.model().lstMusicQ.addItem("/elsewhere/x.mid");
        rig.files.unreadable.insert(media.path());
        for (int choice = 0; choice < 2; ++choice) {
            rig.form.Drive1_Pick(media.path());
            QCOMPARE(model.Drive1.drive(), std::string("/"));
            QCOMPARE(model.Dir1.path(), start.path());
            QCOMPARE(model.File1.items(), Names{"a.wav"});
            QCOMPARE(model.cboFileType.selectedIndex(), 2);
            QCOMPARE(model.lstMusicQ.items(), Names{"/elsewhere/x.mid"});
            QCOMPARE(rig.view.beeps, 0);
        }
        // Nothing readable anywhere: the lists give up rather than go round for ever.
        rig.files.unreadable = {"/", start.path(), media.path()};
        rig.form.Drive1_Pick("/");
        rig.form.Drive1_Pick(media.path());
        QCOMPARE(model.Dir1.path(), start.path());
    }

    void theLeftButtonAloneDragsAndTheSelectionAtReleaseIsDropped()
    {
        MusicFolder folder{{"a.wav", "b.mid"}, true}, empty;
        PlayerRig rig;
        startIn(rig, empty.path());
        MainForm& d = rig.form;
        d.File1_MouseMove(1);     // an empty file list
        d.lstMusicQ_MouseMove(1); // an empty queue
        d.Dir1_Open(folder.path());
        d.File1_MouseMove(2); // right
        d.File1_MouseMove(3); // left and right
        QVERIFY(!rig.view.dragging);

        // Notes, a loudspeaker over the queue, notes again after it.
        d.File1_Select(0);
        d.File1_MouseMove(1);
        d.File1_DragOver(DragList::File1, 1);
        for (int state : {0, 1, 0, 1})
            d.lstMusicQ_DragOver(DragList::File1, state);
        QCOMPARE(rig.view.pointer,
                 (std::vector<Picture>{Picture::Image2, Picture::Image3, Picture::Image2,
                                       Picture::Image3, Picture::Image2}));
        d.File1_Select(1); // changed during the drag
        d.lstMusicQ_DragDrop(DragList::File1);
        QCOMPARE(rig.model().lstMusicQ.items(), Names{folder.entry("b.mid")});
        QCOMPARE(rig.media.mode(), MediaMode::Stopped); // opened, as the only entry

        // A list dropped on itself changes nothing, no file selected or not; a queue entry
        // dropped on the file list is removed after the wait.
        d.File1_Select(-1);
        d.lstMusicQ_Select(0);
        d.File1_DragDrop(DragList::File1);
        d.lstMusicQ_DragDrop(DragList::lstMusicQ);
        QVERIFY(rig.loop.waits.empty());
        d.File1_DragDrop(DragList::lstMusicQ);
        QCOMPARE(rig.loop.waits, std::vector<int>{300});
        QCOMPARE(rig.model().lstMusicQ.count(), 0);
    }
};

QTEST_GUILESS_MAIN(TestBrowser)
#include "tst_browser.moc"
