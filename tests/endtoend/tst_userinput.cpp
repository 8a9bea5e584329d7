// The whole player driven by keys and the mouse through the X server.
#include "platform/audio/audiofixtures.h"
#include "playerrig.h"

#include <QApplication>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <sndfile.h>

using namespace orvane;

using Entries = std::vector<std::string>;

class TestUserInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
        const std::string path = m_folder.path().toStdString();
        // Long enough to be playing still when the input below has been handled.
        QVERIFY(testing::writeSineWav(path + "/a.wav", SF_FORMAT_PCM_16, 8000, 1, 6.0) > 0);
        QVERIFY(testing::writeSineWav(path + "/b.wav", SF_FORMAT_PCM_16, 8000, 1, 0.3) > 0);
    }

    void theKeyboardAddsTheMarkedFileAndDeletesTheMarkedEntry()
    {
        PlayerRig rig(m_folder.path());
        QVERIFY(QTest::qWaitForWindowActive(&rig.window));
        // From the folder list, Tab leads to the file list, whose marked line is selected.
        QVERIFY(XInput(rig.window).key("Tab").key("Return").run());
        QTRY_COMPARE(rig.queue(), Entries{entry("a.wav")});
        QCOMPARE(rig.media.fileName(), entry("a.wav"));
        QVERIFY(XInput(rig.window).key("Tab").key("Delete").run());
        QTRY_VERIFY(rig.idle());
    }

    void addingNothingLeavesTheLastTrackPlaying()
    {
        PlayerRig rig(m_folder.path());
        QVERIFY(QTest::qWaitForWindowActive(&rig.window));
        rig.window.File1().setSelectedIndex(0);
        rig.form.queue().File1_DblClick();
        rig.control("Play")->click();
        rig.window.File1().setSelectedIndex(-1);

        // With no file selected: Enter, a double-click beside the files, and a drag from
        // there onto the queue; then a double-click on b.wav, which is only appended.
        const QWidget& files = *rig.window.findChild<QListView*>("File1")->viewport();
        const QWidget& entries = *rig.window.findChild<QListView*>("lstMusicQ")->viewport();
        const QPoint beside(files.width() / 2, files.height() - 40);
        XInput input(rig.window);
        input.moveTo(files, beside).click().key("Return").pause().click(2).pause().press();
        for (int down = 2; down <= 20; down += 2)
            input.moveTo(files, beside + QPoint(0, down));
        input.moveTo(entries, entries.rect().center()).release();
        auto* list = rig.window.findChild<QListView*>("File1");
        const QPoint second = list->visualRect(list->model()->index(1, 0)).center();
        QVERIFY(input.moveTo(files, second).click(2).run());

        QTRY_COMPARE(rig.queue(), Entries({entry("a.wav"), entry("b.wav")}));
        QCOMPARE(rig.media.played, Entries{entry("a.wav")});
        QCOMPARE(rig.media.mode(), MediaMode::Playing);
        // a.wav plays to its end, and b.wav after it.
        QTRY_VERIFY_WITH_TIMEOUT(rig.idle(), 20000);
        QCOMPARE(rig.media.played, Entries({entry("a.wav"), entry("b.wav")}));
    }

private:
    std::string entry(const char* name) const
    {
        return m_folder.filePath(QString::fromLatin1(name)).toStdString();
    }

    QTemporaryDir m_folder;
};

QTEST_MAIN(TestUserInput)
#include "tst_userinput.moc"
