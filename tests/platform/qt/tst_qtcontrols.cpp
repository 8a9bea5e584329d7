// The Qt controls' own contracts, which the fakes of the logic tests only imitate.

#include "platform/posix/mountvolumes.h"
#include "platform/qt/drivecombobox.h"
#include "platform/qt/dropdownlist.h"
#include "platform/qt/filelistbox.h"
#include "platform/qt/folderlistbox.h"
#include "platform/qt/gaugewidget.h"
#include "platform/qt/listbox.h"
#include "platform/qt/mediabuttonbar.h"
#include "platform/qt/orvanestyle.h"
#include "windowrig.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <fstream>
#include <unistd.h>

using namespace orvane;

using Names = std::vector<std::string>;

class TestQtControls : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { applyOrvaneStyle(*qApp); }
    void queueRemovalsKeepTheSelectionOfTheEntriesThatStay();
    void queueHoldsAtMost32767EntriesAndReportsEveryDoubleClick();
    void fileListListsByPatternIgnoringCase();
    void fileListReportsEnterAs13AndOtherKeysByCharacter();
    void folderListShowsTheChainThenTheSubFolders();
    void folderListRefusesWhatCannotBeOpened();
    void driveListRaisesChangeOnlyForAnotherDrive();
    void dropDownListRaisesClickOnEveryChoice();
    void gaugeFillsClampedBetweenItsBounds();
    void mediaButtonsShareTheWidthAndReportPresses();
};

void TestQtControls::queueRemovalsKeepTheSelectionOfTheEntriesThatStay()
{
    ListBox queue;
    for (const char* entry : {"/a.mid", "/b.mid", "/c.mid", "/d.mid", "/e.mid"})
        queue.addItem(entry);
    QCOMPARE(queue.selectedIndex(), -1);

    queue.setSelectedIndex(3); // d
    queue.removeItem(0);       // before the selection: it moves up with its entry
    QCOMPARE(queue.selectedIndex(), 2);
    QCOMPARE(queue.item(queue.selectedIndex()), std::string("/d.mid"));
    queue.removeItem(3); // after it: unchanged
    QCOMPARE(queue.selectedIndex(), 2);
    queue.removeItem(2); // the selected entry itself: none is selected
    QCOMPARE(queue.selectedIndex(), -1);
    QCOMPARE(queue.count(), 2);
    QCOMPARE(queue.item(1), std::string("/c.mid"));
}

void TestQtControls::queueHoldsAtMost32767EntriesAndReportsEveryDoubleClick()
{
    ListBox queue;
    queue.resize(200, 100);
    QSignalSpy dblClicks(&queue, &ListBox::dblClicked);
    // Even on an empty list: the logic resets on it.
    QTest::mouseDClick(queue.viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(dblClicks.count(), 1);

    for (int i = 0; i < kMaxListEntries + 5; ++i)
        queue.addItem("/song" + std::to_string(i) + ".mid");
    QCOMPARE(queue.count(), kMaxListEntries);
    QCOMPARE(queue.item(kMaxListEntries - 1),
             "/song" + std::to_string(kMaxListEntries - 1) + ".mid");
}

void TestQtControls::fileListListsByPatternIgnoringCase()
{
    QTemporaryDir dir;
    QVERIFY(makeFiles(dir.path(), {"song.mid", "SONG2.MID", "a.Rmi", "b.wav", "c.mdi",
                                   ".hidden.mid", "noextension", "Zebra.WAV", "folder.mid/"}));
    FileListBox files;
    const auto names = [&files] {
        Names listed;
        for (int i = 0; i < files.count(); ++i)
            listed.push_back(files.name(i));
        return listed;
    };
    files.setPattern("*.MID;*.RMI");
    files.setPath(dir.path().toStdString());
    QCOMPARE(names(), Names({"a.Rmi", "song.mid", "SONG2.MID"}));

    files.setSelectedIndex(1);
    QCOMPARE(files.selectedName(), std::string("song.mid"));
    files.setPattern("*.WAV"); // re-read at once, with nothing selected
    QCOMPARE(names(), Names({"b.wav", "Zebra.WAV"}));
    QCOMPARE(files.selectedIndex(), -1);
    QCOMPARE(files.selectedName(), std::string());

    files.setPath(dir.filePath(QStringLiteral("gone")).toStdString());
    QCOMPARE(files.count(), 0);
}

void TestQtControls::fileListReportsEnterAs13AndOtherKeysByCharacter()
{
    FileListBox files;
    QSignalSpy keys(&files, &FileListBox::keyPressed);
    QTest::keyClick(&files, Qt::Key_Return);
    QTest::keyClick(&files, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&files, Qt::Key_A);
    QTest::keyClick(&files, Qt::Key_Down); // no character: not reported
    QCOMPARE(keys.count(), 3);
    QCOMPARE(keys[0][0].toInt(), 13);
    QCOMPARE(keys[1][0].toInt(), 13);
    QCOMPARE(keys[2][0].toInt(), int('a'));
}

void TestQtControls::folderListShowsTheChainThenTheSubFolders()
{
    QTemporaryDir dir;
    QVERIFY(makeFiles(dir.path(), {"beta/", "Alpha/", ".secret/", "gamma/", "file.mid"}));
    FolderListBox folders;
    QSignalSpy changes(&folders, &FolderListBox::changed);
    // A trailing separator and a "." are tidied away.
    QVERIFY(folders.setPath(dir.path().toStdString() + "/./"));
    QCOMPARE(changes.count(), 1);
    const std::string path = dir.path().toStdString();
    QCOMPARE(folders.path(), path);

    Names expected{"/"};
    std::string chain;
    for (const QString& part : dir.path().split(QLatin1Char('/'), Qt::SkipEmptyParts))
        expected.push_back(chain += "/" + part.toStdString());
    for (const char* sub : {"Alpha", "beta", "gamma"})
        expected.push_back(path + "/" + sub);
    QCOMPARE(folders.shownFolders(), expected);
}

void TestQtControls::folderListRefusesWhatCannotBeOpened()
{
    QTemporaryDir dir;
    QVERIFY(makeFiles(dir.path(), {"plain.mid", "locked/"}));
    FolderListBox folders;
    QVERIFY(folders.setPath(dir.path().toStdString()));
    const Names shown = folders.shownFolders();
    QSignalSpy changes(&folders, &FolderListBox::changed);

    QVERIFY(!folders.setPath(dir.filePath(QStringLiteral("missing")).toStdString()));
    QVERIFY(!folders.setPath(dir.filePath(QStringLiteral("plain.mid")).toStdString()));
    QVERIFY(!folders.setPath(""));
    QCOMPARE(changes.count(), 0);
    QCOMPARE(folders.path(), dir.path().toStdString());
    QCOMPARE(folders.shownFolders(), shown);

    if (geteuid() == 0)
        QSKIP("root reads every folder: the permission case needs an ordinary user");
    const QString locked = dir.filePath(QStringLiteral("locked"));
    QVERIFY(QFile::setPermissions(locked, QFileDevice::Permissions()));
    QVERIFY(!folders.setPath(locked.toStdString()));
    QCOMPARE(folders.path(), dir.path().toStdString());
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestQtControls::driveListRaisesChangeOnlyForAnotherDrive()
{
    QTemporaryDir dir;
    const std::string table = dir.filePath(QStringLiteral("mounts")).toStdString();
    std::ofstream(table) << "/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 /media/usb vfat rw 0 0\n";
    MountVolumes volumes(table, "/root", "root");
    DriveComboBox drives(volumes);
    QSignalSpy changes(&drives, &DriveComboBox::changed);
    QCOMPARE(drives.count(), 2);

    drives.setDrive("/media/usb/Songs/Jazz");
    QCOMPARE(changes.count(), 1);
    QCOMPARE(drives.drive(), std::string("/media/usb"));
    drives.setDrive("/media/usb/Other"); // the same drive
    QCOMPARE(changes.count(), 1);

    // A change handler may put the drive back at once, nested inside the change.
    connect(&drives, &DriveComboBox::changed, &drives, [&drives] {
        if (drives.drive() == "/")
            drives.setDrive("/media/usb");
    });
    drives.setDrive("/usr/share");
    QCOMPARE(changes.count(), 3);
    QCOMPARE(drives.drive(), std::string("/media/usb"));
    QCOMPARE(drives.currentText(), QStringLiteral("/media/usb"));

    // The user choosing the drive already shown changes nothing.
    emit drives.activated(drives.findText(QStringLiteral("/media/usb")));
    QCOMPARE(changes.count(), 3);

    // Unmounted, the drive is no longer offered nor shown; mounted again, it is both.
    std::ofstream(table) << "/dev/sda1 / ext4 rw 0 0\n";
    QVERIFY(volumes.reread());
    drives.refresh();
    QCOMPARE(drives.count(), 1);
    QCOMPARE(drives.currentIndex(), -1);
    std::ofstream(table) << "/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 /media/usb vfat rw 0 0\n";
    QVERIFY(volumes.reread());
    drives.refresh();
    QCOMPARE(drives.currentText(), QStringLiteral("/media/usb"));
    QCOMPARE(changes.count(), 3);
}

void TestQtControls::dropDownListRaisesClickOnEveryChoice()
{
    DropDownList types;
    types.addItem("Music");
    types.addItem("Midi");
    QSignalSpy clicks(&types, &DropDownList::clicked);
    types.setSelectedIndex(1);
    types.setSelectedIndex(1);
    QCOMPARE(clicks.count(), 2);
    types.setSelectedIndex(7);
    QCOMPARE(types.selectedIndex(), -1);
}

void TestQtControls::gaugeFillsClampedBetweenItsBounds()
{
    GaugeWidget gauge;
    gauge.resize(137, 18);
    gauge.setMaximum(200);
    gauge.setValue(50);
    QCOMPARE(gauge.filledFraction(), 0.25);

    // A previous track's value above the new bound draws a full bar until the next update.
    gauge.setMaximum(10);
    QCOMPARE(gauge.grab().toImage().pixelColor(130, 9), GaugeWidget::kFill);
    gauge.setValue(-3);
    QCOMPARE(gauge.grab().toImage().pixelColor(5, 9), GaugeWidget::kBackground);

    gauge.setMaximum(0); // no range at all: nothing filled, nothing divided by zero
    gauge.setValue(5);
    QCOMPARE(gauge.filledFraction(), 0.0);
}

void TestQtControls::mediaButtonsShareTheWidthAndReportPresses()
{
    using Button = MediaButton;
    MediaButtonBar bar;
    bar.resize(208, 25);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    int left = 0;
    for (Button which : {Button::Next, Button::Play, Button::Pause, Button::Stop}) {
        QCOMPARE(bar.button(which)->geometry(), QRect(left, 0, 52, 25));
        QVERIFY(!bar.button(which)->icon().isNull());
        left += 52;
    }

    QSignalSpy presses(&bar, &MediaButtonBar::pressed);
    QTest::mouseClick(bar.button(Button::Play), Qt::LeftButton);
    QCOMPARE(presses.count(), 1);
    QCOMPARE(presses[0][0].value<Button>(), Button::Play);

    // From the keyboard: the bar is one stop; arrows choose, Space presses.
    bar.setFocus();
    QTest::keyClick(&bar, Qt::Key_Right);
    QTest::keyClick(&bar, Qt::Key_Right);
    QTest::keyClick(&bar, Qt::Key_Space);
    QTRY_COMPARE(presses.count(), 2);
    QCOMPARE(presses[1][0].value<Button>(), Button::Pause);
}

QTEST_MAIN(TestQtControls)
#include "tst_qtcontrols.moc"
