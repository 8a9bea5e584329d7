// The Qt controls' own contracts, which the fakes of the logic tests only imitate.

#include "platform/mountvolumes.h"
#include "platform/qt/drivecombobox.h"
#include "platform/qt/dropdownlist.h"
#include "platform/qt/filelistbox.h"
#include "platform/qt/folderlistbox.h"
#include "platform/qt/gaugewidget.h"
#include "platform/qt/listbox.h"
#include "platform/qt/mediabuttonbar.h"
#include "platform/qt/orvanestyle.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <fstream>
#include <unistd.h>

using namespace orvane;

class TestQtControls : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { applyOrvaneStyle(*qApp); }
    void queueRemovalsKeepTheSelectionOfTheEntriesThatStay();
    void queueHoldsAtMost32767Entries();
    void queueDoubleClickIsReportedEvenOnAnEmptyList();
    void fileListListsByPatternIgnoringCase();
    void fileListOfAMissingFolderIsEmpty();
    void fileListReportsEnterAs13AndOtherKeysByCharacter();
    void folderListShowsTheChainThenTheSubFolders();
    void folderListRefusesWhatCannotBeOpened();
    void folderListOpensAFolderOnEnter();
    void driveListRaisesChangeOnlyForAnotherDrive();
    void dropDownListRaisesClickOnEveryChoice();
    void gaugeFillsClampedBetweenItsBounds();
    void mediaButtonsShareTheWidthAndReportPresses();
};

namespace {

void touch(const QDir& dir, const char* name)
{
    QFile file(dir.filePath(QString::fromLatin1(name)));
    QVERIFY(file.open(QIODevice::WriteOnly));
}

std::vector<std::string> names(const FileListBox& files)
{
    std::vector<std::string> listed;
    for (int i = 0; i < files.count(); ++i)
        listed.push_back(files.name(i));
    return listed;
}

} // namespace

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
    QCOMPARE(queue.item(0), std::string("/b.mid"));
    QCOMPARE(queue.item(1), std::string("/c.mid"));

    queue.setSelectedIndex(1);
    queue.setSelectedIndex(-1);
    QCOMPARE(queue.selectedIndex(), -1);
}

void TestQtControls::queueHoldsAtMost32767Entries()
{
    ListBox queue;
    for (int i = 0; i < kMaxListEntries + 5; ++i)
        queue.addItem("/song" + std::to_string(i) + ".mid");
    QCOMPARE(queue.count(), kMaxListEntries);
    QCOMPARE(queue.item(kMaxListEntries - 1),
             "/song" + std::to_string(kMaxListEntries - 1) + ".mid");
    while (queue.count() > 0)
        queue.removeItem(0);
    QCOMPARE(queue.selectedIndex(), -1);
}

void TestQtControls::queueDoubleClickIsReportedEvenOnAnEmptyList()
{
    ListBox queue;
    queue.resize(200, 100);
    QSignalSpy dblClicks(&queue, &ListBox::dblClicked);
    QTest::mouseDClick(queue.viewport(), Qt::LeftButton, {}, QPoint(50, 50));
    QCOMPARE(dblClicks.count(), 1);
}

void TestQtControls::fileListListsByPatternIgnoringCase()
{
    QTemporaryDir dir;
    const QDir folder(dir.path());
    for (const char* name : {"song.mid", "SONG2.MID", "a.Rmi", "b.wav", "c.mdi", ".hidden.mid",
                             "noextension", "Zebra.WAV"})
        touch(folder, name);
    QVERIFY(folder.mkdir(QStringLiteral("folder.mid")));

    FileListBox files;
    files.setPattern("*.MID;*.RMI");
    files.setPath(dir.path().toStdString());
    QCOMPARE(names(files), std::vector<std::string>({"a.Rmi", "song.mid", "SONG2.MID"}));

    files.setSelectedIndex(1);
    QCOMPARE(files.selectedName(), std::string("song.mid"));
    files.setPattern("*.WAV"); // re-read at once, with nothing selected
    QCOMPARE(names(files), std::vector<std::string>({"b.wav", "Zebra.WAV"}));
    QCOMPARE(files.selectedIndex(), -1);
    QCOMPARE(files.selectedName(), std::string());
    QCOMPARE(files.pattern(), std::string("*.WAV"));
    QCOMPARE(files.path(), dir.path().toStdString());
}

void TestQtControls::fileListOfAMissingFolderIsEmpty()
{
    QTemporaryDir dir;
    touch(QDir(dir.path()), "a.mid");
    FileListBox files;
    files.setPattern("*.MID");
    files.setPath(dir.path().toStdString());
    QCOMPARE(files.count(), 1);
    files.setPath(dir.filePath(QStringLiteral("gone")).toStdString());
    QCOMPARE(files.count(), 0);
    QCOMPARE(files.selectedIndex(), -1);
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
    const QDir folder(dir.path());
    for (const char* name : {"beta", "Alpha", ".secret", "gamma"})
        QVERIFY(folder.mkdir(QString::fromLatin1(name)));
    touch(folder, "file.mid");

    FolderListBox folders;
    QSignalSpy changes(&folders, &FolderListBox::changed);
    // A trailing separator and a "." are tidied away.
    QVERIFY(folders.setPath(dir.path().toStdString() + "/./"));
    QCOMPARE(changes.count(), 1);
    const std::string path = dir.path().toStdString();
    QCOMPARE(folders.path(), path);

    std::vector<std::string> expected{"/"};
    std::string chain;
    for (const QString& part : dir.path().split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        chain += "/" + part.toStdString();
        expected.push_back(chain);
    }
    for (const char* sub : {"Alpha", "beta", "gamma"})
        expected.push_back(path + "/" + sub);
    QCOMPARE(folders.shownFolders(), expected);

    QVERIFY(folders.setPath("/"));
    QCOMPARE(folders.path(), std::string("/"));
    QCOMPARE(folders.shownFolders().front(), std::string("/"));
}

void TestQtControls::folderListRefusesWhatCannotBeOpened()
{
    QTemporaryDir dir;
    touch(QDir(dir.path()), "plain.mid");
    FolderListBox folders;
    QVERIFY(folders.setPath(dir.path().toStdString()));
    const std::vector<std::string> shown = folders.shownFolders();
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
    QVERIFY(QDir().mkdir(locked));
    QVERIFY(QFile::setPermissions(locked, QFileDevice::Permissions()));
    QVERIFY(!folders.setPath(locked.toStdString()));
    QCOMPARE(folders.path(), dir.path().toStdString());
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

void TestQtControls::folderListOpensAFolderOnEnter()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Songs")));
    FolderListBox folders;
    QVERIFY(folders.setPath(dir.path().toStdString()));
    QSignalSpy changes(&folders, &FolderListBox::changed);

    QTest::keyClick(&folders, Qt::Key_Down); // from the current folder to its sub-folder
    QCOMPARE(changes.count(), 0);
    QTest::keyClick(&folders, Qt::Key_Return);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(folders.path(), dir.path().toStdString() + "/Songs");
}

void TestQtControls::driveListRaisesChangeOnlyForAnotherDrive()
{
    QTemporaryDir dir;
    const std::string table = dir.filePath(QStringLiteral("mounts")).toStdString();
    std::ofstream(table) << "/dev/sda1 / ext4 rw 0 0\n/dev/sdb1 /media/usb vfat rw 0 0\n";
    const MountVolumes volumes(table, "/root");
    DriveComboBox drives(volumes);
    QSignalSpy changes(&drives, &DriveComboBox::changed);
    QCOMPARE(drives.count(), 2);

    drives.setDrive("/media/usb/Songs/Jazz");
    QCOMPARE(changes.count(), 1);
    QCOMPARE(drives.drive(), std::string("/media/usb"));
    QCOMPARE(drives.currentText(), QStringLiteral("/media/usb"));

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

    // The user choosing the drive already shown changes nothing; another one does.
    emit drives.activated(drives.findText(QStringLiteral("/media/usb")));
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
    QCOMPARE(types.selectedIndex(), 1);
    QCOMPARE(types.itemText(0), std::string("Music"));
    types.setSelectedIndex(7);
    QCOMPARE(types.selectedIndex(), -1);
}

void TestQtControls::gaugeFillsClampedBetweenItsBounds()
{
    GaugeWidget gauge;
    gauge.resize(137, 18);
    gauge.setMinimum(0);
    gauge.setMaximum(200);
    gauge.setValue(50);
    QCOMPARE(gauge.filledFraction(), 0.25);

    // A previous track's value above the new bound draws a full bar until the next update.
    gauge.setMaximum(10);
    QCOMPARE(gauge.filledFraction(), 1.0);
    QImage full = gauge.grab().toImage();
    QCOMPARE(full.pixelColor(130, 9), GaugeWidget::kFill);

    gauge.setValue(-3);
    QCOMPARE(gauge.filledFraction(), 0.0);
    QImage empty = gauge.grab().toImage();
    QCOMPARE(empty.pixelColor(5, 9), GaugeWidget::kBackground);

    gauge.setMaximum(0); // no range at all: nothing filled, nothing divided by zero
    gauge.setValue(5);
    QCOMPARE(gauge.filledFraction(), 0.0);
}

void TestQtControls::mediaButtonsShareTheWidthAndReportPresses()
{
    MediaButtonBar bar;
    bar.resize(208, 25);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    const MediaButtons::Button order[] = {MediaButtons::Button::Next, MediaButtons::Button::Play,
                                          MediaButtons::Button::Pause, MediaButtons::Button::Stop};
    int left = 0;
    for (MediaButtons::Button which : order) {
        QToolButton* button = bar.button(which);
        QCOMPARE(button->geometry(), QRect(left, 0, 52, 25));
        QVERIFY(!button->icon().isNull());
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        left += 52;
    }
    QCOMPARE(bar.findChildren<QToolButton*>().size(), 4);

    QSignalSpy presses(&bar, &MediaButtonBar::pressed);
    QTest::mouseClick(bar.button(MediaButtons::Button::Play), Qt::LeftButton);
    QCOMPARE(presses.count(), 1);
    QCOMPARE(presses[0][0].value<MediaButtons::Button>(), MediaButtons::Button::Play);

    // From the keyboard: the bar is one stop; arrows choose, Space presses.
    bar.setFocus();
    QTest::keyClick(&bar, Qt::Key_Right);
    QTest::keyClick(&bar, Qt::Key_Right);
    QCOMPARE(bar.currentButton(), MediaButtons::Button::Pause);
    QTest::keyClick(&bar, Qt::Key_Space);
    QTRY_COMPARE(presses.count(), 2);
    QCOMPARE(presses[1][0].value<MediaButtons::Button>(), MediaButtons::Button::Pause);
}

QTEST_MAIN(TestQtControls)
#include "tst_qtcontrols.moc"
