// The Qt controls' own contracts, which the fakes of the logic tests only imitate.

#include "fakes/musicfolder.h"
#include "platform/posix/mountvolumes.h"
#include "platform/qt/drivecombobox.h"
#include "platform/qt/filelistbox.h"
#include "platform/qt/folderlistbox.h"
#include "platform/qt/gaugewidget.h"
#include "platform/qt/listbox.h"
#include "platform/qt/mediabuttonbar.h"
#include "platform/qt/orvanestyle.h"
#include "windowrig.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <fstream>

using namespace orvane;

using Names = std::vector<std::string>;

class TestQtControls : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { applyOrvaneStyle(*qApp); }
    void theQueueKeepsItsSelectionOnRemovalsAndHoldsAtMost32767Entries();
    void theFileListListsByPatternIgnoringCaseAndReportsKeys();
    void theFolderListRefusesWhatCannotBeOpened();
    void theDriveListRaisesChangeOnlyForAnotherDrive();
    void theGaugeFillsClampedBetweenItsBounds();
    void theMediaButtonsReportPressesFromMouseAndKeys();
};

void TestQtControls::theQueueKeepsItsSelectionOnRemovalsAndHoldsAtMost32767Entries()
{
    ListBox queue;
    for (const char* entry : {"/a.mid", "/b.mid", "/c.mid", "/d.mid", "/e.mid"})
        queue.addItem(entry);
    queue.setSelectedIndex(3); // d
    queue.removeItem(0);       // before the selection: it moves up with its entry
    QCOMPARE(queue.item(queue.selectedIndex()), std::string("/d.mid"));
    queue.removeItem(3); // after it: unchanged
    QCOMPARE(queue.selectedIndex(), 2);
    queue.removeItem(2); // the selected entry itself: none is selected
    QCOMPARE(queue.selectedIndex(), -1);

    for (int i = 0; i < kMaxListEntries + 5; ++i)
        queue.addItem("/song.mid");
    QCOMPARE(queue.count(), kMaxListEntries);
}

void TestQtControls::theFileListListsByPatternIgnoringCaseAndReportsKeys()
{
    const MusicFolder dir{"song.mid",    "SONG2.MID",   "a.Rmi",     "b.wav",
                          ".hidden.mid", "noextension", "Zebra.WAV", "folder.mid/"};
    FileListBox files;
    const auto names = [&files] {
        Names listed;
        for (int i = 0; i < files.count(); ++i)
            listed.push_back(files.name(i));
        return listed;
    };
    files.setPattern("*.MID;*.RMI");
    files.setPath(dir.path());
    QCOMPARE(names(), Names({"a.Rmi", "song.mid", "SONG2.MID"}));
    files.setSelectedIndex(1);
    files.setPattern("*.WAV"); // re-read at once, with nothing selected
    QCOMPARE(names(), Names({"b.wav", "Zebra.WAV"}));
    QCOMPARE(files.selectedName(), std::string());

    // Enter, on either keyboard, is 13; keys without a character are not reported.
    QSignalSpy keys(&files, &FileListBox::keyPressed);
    QTest::keyClick(&files, Qt::Key_Return);
    QTest::keyClick(&files, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&files, Qt::Key_A);
    QTest::keyClick(&files, Qt::Key_Down);
    QCOMPARE(keys.count(), 3);
    QCOMPARE(keys[1][0].toInt(), 13);
    QCOMPARE(keys[2][0].toInt(), int('a'));
}

void TestQtControls::theFolderListRefusesWhatCannotBeOpened()
{
    const MusicFolder dir{"plain.mid", "sub/"};
    FolderListBox folders;
    QVERIFY(folders.setPath(dir.path() + "/./"));
    QCOMPARE(folders.path(), dir.path());
    const Names shown = folders.shownFolders();
    QSignalSpy changes(&folders, &FolderListBox::changed);
    QVERIFY(!folders.setPath(dir.entry("missing")));
    QVERIFY(!folders.setPath(dir.entry("plain.mid")));
    QVERIFY(!folders.setPath(""));
    QCOMPARE(changes.count(), 0);
    QCOMPARE(folders.shownFolders(), shown);
}

void TestQtControls::theDriveListRaisesChangeOnlyForAnotherDrive()
{
    QTemporaryDir dir;
    const std::string table = dir.filePath(QStringLiteral("mounts")).toStdString();
    std::ofstream(table) << "/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 /media/usb vfat rw 0 0\n";
    MountVolumes volumes(table, "/root", "root");
    DriveComboBox drives(volumes);
    QSignalSpy changes(&drives, &DriveComboBox::changed);
    drives.setDrive("/media/usb/Songs/Jazz");
    drives.setDrive("/media/usb/Other"); // the same drive
    QCOMPARE(changes.count(), 1);

    // A change handler may put the drive back at once, nested inside the change.
    connect(&drives, &DriveComboBox::changed, &drives, [&drives] {
        if (drives.drive() == "/")
            drives.setDrive("/media/usb");
    });
    drives.setDrive("/usr/share");
    QCOMPARE(changes.count(), 3);
    QCOMPARE(drives.currentText(), QStringLiteral("/media/usb"));
}

void TestQtControls::theGaugeFillsClampedBetweenItsBounds()
{
    GaugeWidget gauge;
    gauge.resize(137, 18);
    gauge.setValue(50);
    // A previous track's value above the new bound draws a full bar until the next update.
    gauge.setMaximum(10);
    QCOMPARE(gauge.grab().toImage().pixelColor(130, 9), GaugeWidget::kFill);
    gauge.setMaximum(0); // no range at all: nothing filled, nothing divided by zero
    QCOMPARE(gauge.filledFraction(), 0.0);
}

void TestQtControls::theMediaButtonsReportPressesFromMouseAndKeys()
{
    MediaButtonBar bar;
    bar.resize(208, 25);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QSignalSpy presses(&bar, &MediaButtonBar::pressed);
    QTest::mouseClick(bar.button(MediaButton::Play), Qt::LeftButton);
    // From the keyboard the bar is one stop: arrows choose, Space presses.
    bar.setFocus();
    QTest::keyClick(&bar, Qt::Key_Right);
    QTest::keyClick(&bar, Qt::Key_Right);
    QTest::keyClick(&bar, Qt::Key_Space);
    QTRY_COMPARE(presses.count(), 2);
    QCOMPARE(presses[0][0].value<MediaButton>(), MediaButton::Play);
    QCOMPARE(presses[1][0].value<MediaButton>(), MediaButton::Pause);
}

QTEST_MAIN(TestQtControls)
#include "tst_qtcontrols.moc"
