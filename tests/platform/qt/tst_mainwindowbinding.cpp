// The real window over the real logic: the controls' events reach the handlers, and the
// window does what the logic asks of it.

#include "platform/listcontrol.h"
#include "platform/qt/orvanestyle.h"
#include "windowrig.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <algorithm>

using namespace orvane;

class TestMainWindowBinding : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void loadFillsTheWindowAndListsTheStartFolder();
    void buttonsAndMenuItemsRunTheQueueHandlers();
    void enterAndDoubleClicksAddAndRemoveEntries();
    void openingAFolderListsItsFiles();
    void choosingAFileTypeRelistsTheFiles();
    void transportButtonsReachThePlayer();
    void windowRequestsAreCarriedOut();
    void aboutAndVolumeAreReportedAsSignals();
    void minimiseSwitchShowsTheWindowMinimised();
    void exitUnloadsTheFormOnce();
    void exitMidTrackClosesTheDeviceBeforeTheProgramEnds();

private:
    template <typename T = QWidget> T* control(const char* name) const
    {
        return m_rig->window.findChild<T*>(QString::fromLatin1(name));
    }
    QAction* action(const char* name) const { return control<QAction>(name); }
    std::vector<std::string> queue() const
    {
        std::vector<std::string> entries;
        ListControl& list = m_rig->window.lstMusicQ();
        for (int i = 0; i < list.count(); ++i)
            entries.push_back(list.item(i));
        return entries;
    }
    std::string inMusic(const char* name) const
    {
        return m_music.filePath(QString::fromLatin1(name)).toStdString();
    }

    QTemporaryDir m_music;
    QString m_startFolder;
    std::unique_ptr<WindowRig> m_rig;
};

void TestMainWindowBinding::initTestCase()
{
    applyOrvaneStyle(*qApp);
    const QDir music(m_music.path());
    for (const char* name : {"b.mid", "A.WAV", "c.rmi", "skip.txt"}) {
        QFile file(music.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QVERIFY(music.mkpath(QStringLiteral("Sub")));
    QFile nested(music.filePath(QStringLiteral("Sub/deep.wav")));
    QVERIFY(nested.open(QIODevice::WriteOnly));
    m_startFolder = QDir::currentPath();
}

void TestMainWindowBinding::init()
{
    QVERIFY(QDir::setCurrent(m_music.path()));
    m_rig = std::make_unique<WindowRig>();
}

void TestMainWindowBinding::cleanup()
{
    m_rig.reset();
}

void TestMainWindowBinding::cleanupTestCase()
{
    QDir::setCurrent(m_startFolder);
}

void TestMainWindowBinding::loadFillsTheWindowAndListsTheStartFolder()
{
    MainWindow& window = m_rig->window;
    QCOMPARE(window.caption(), std::string("Vemor's Music Player"));
    m_rig->form.Form_Load();
    QCOMPARE(window.caption(), std::string("Vemor's 32-bit Music Player"));
    QCOMPARE(window.cboFileType().count(), 3);
    QCOMPARE(window.cboFileType().selectedIndex(), 0);
    QCOMPARE(control<QComboBox>("cboFileType")->currentText(),
             QStringLiteral("Music (*.mid;*.rmi;*.wav)"));
    QCOMPARE(window.Drive1().drive(), m_rig->volumes.driveOf(m_music.path().toStdString()));
    QCOMPARE(window.Dir1().path(), m_music.path().toStdString());
    QCOMPARE(window.File1().path(), m_music.path().toStdString());
    QCOMPARE(window.File1().count(), 3);
    QCOMPARE(window.File1().name(0), std::string("A.WAV"));
    QVERIFY(m_rig->help.helpFile().ends_with("/orvane.hlp"));
    QVERIFY(window.lstMusicQ().count() == 0);
}

void TestMainWindowBinding::buttonsAndMenuItemsRunTheQueueHandlers()
{
    m_rig->form.Form_Load();
    QTest::mouseClick(control("cmdQAll"), Qt::LeftButton);
    QCOMPARE(queue(),
             std::vector<std::string>({inMusic("A.WAV"), inMusic("b.mid"), inMusic("c.rmi")}));
    QCOMPARE(m_rig->media.fileName(), inMusic("A.WAV"));

    action("clear")->trigger();
    QVERIFY(queue().empty());

    action("random")->trigger();
    std::vector<std::string> shuffled = queue();
    std::sort(shuffled.begin(), shuffled.end());
    QCOMPARE(shuffled,
             std::vector<std::string>({inMusic("A.WAV"), inMusic("b.mid"), inMusic("c.rmi")}));
    QCOMPARE(m_rig->window.List2().count(), 0);

    QTest::mouseClick(control("cmdClear"), Qt::LeftButton);
    action("queue")->trigger();
    QCOMPARE(queue().size(), std::size_t(3));
    QTest::mouseClick(control("cmdRnd"), Qt::LeftButton);
    QCOMPARE(queue().size(), std::size_t(6));

    // Alt with the access key presses the button.
    m_rig->window.show();
    m_rig->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_rig->window));
    QTest::keyClick(&m_rig->window, Qt::Key_C, Qt::AltModifier);
    QTRY_VERIFY(queue().empty()); // the button shows itself pressed for a moment first
}

void TestMainWindowBinding::enterAndDoubleClicksAddAndRemoveEntries()
{
    m_rig->form.Form_Load();
    auto* files = control<QListView>("File1");
    MainWindow& window = m_rig->window;

    QTest::keyClick(files, Qt::Key_Return); // nothing chosen yet: nothing added
    QVERIFY(queue().empty());
    window.File1().setSelectedIndex(1);
    QTest::keyClick(files, Qt::Key_Return);
    QCOMPARE(queue(), std::vector<std::string>{inMusic("b.mid")});
    QCOMPARE(m_rig->media.fileName(), inMusic("b.mid"));

    window.File1().setSelectedIndex(2);
    const QRect third = files->visualRect(files->model()->index(2, 0));
    QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, third.center());
    QCOMPARE(queue(), std::vector<std::string>({inMusic("b.mid"), inMusic("c.rmi")}));

    // A double-click in the queue removes, after the wait, the entry then selected.
    auto* entries = control<QListView>("lstMusicQ");
    window.lstMusicQ().setSelectedIndex(0);
    const QRect first = entries->visualRect(entries->model()->index(0, 0));
    QTest::mouseDClick(entries->viewport(), Qt::LeftButton, {}, first.center());
    QCOMPARE(queue(), std::vector<std::string>{inMusic("c.rmi")});
    QCOMPARE(window.lstMusicQ().selectedIndex(), -1);
}

void TestMainWindowBinding::openingAFolderListsItsFiles()
{
    m_rig->form.Form_Load();
    auto* folders = control("Dir1");
    folders->setFocus();
    QTest::keyClick(folders, Qt::Key_Down); // from the start folder to its sub-folder
    QTest::keyClick(folders, Qt::Key_Return);
    const std::string sub = inMusic("Sub");
    QCOMPARE(m_rig->window.Dir1().path(), sub);
    QCOMPARE(m_rig->window.File1().path(), sub);
    QCOMPARE(m_rig->window.File1().count(), 1);
    QCOMPARE(m_rig->window.File1().name(0), std::string("deep.wav"));

    // Queued entries keep the folder they were queued from.
    m_rig->form.queue().cmdQAll_Click();
    QCOMPARE(queue(), std::vector<std::string>{sub + "/deep.wav"});
}

void TestMainWindowBinding::choosingAFileTypeRelistsTheFiles()
{
    m_rig->form.Form_Load();
    auto* types = control<QComboBox>("cboFileType");
    types->setFocus();
    QTest::keyClick(types, Qt::Key_Down);
    QTest::keyClick(types, Qt::Key_Down);
    QCOMPARE(types->currentIndex(), 2);
    QCOMPARE(m_rig->window.File1().pattern(), std::string("*.WAV"));
    QCOMPARE(m_rig->window.File1().count(), 1);
    QTest::keyClick(types, Qt::Key_Up);
    QCOMPARE(m_rig->window.File1().pattern(), std::string("*.MID;*.RMI"));
    QCOMPARE(m_rig->window.File1().count(), 2);
}

void TestMainWindowBinding::transportButtonsReachThePlayer()
{
    m_rig->form.Form_Load();
    m_rig->form.queue().cmdQAll_Click();
    m_rig->media.commands.clear();
    auto* play = control<QToolButton>("Play");
    QTest::mouseClick(play, Qt::LeftButton);
    // PlayQueueHead ran and cancelled the button's own action.
    QCOMPARE(m_rig->media.commands, std::vector<std::string>({"Close", "Open", "play"}));
    QCOMPARE(m_rig->window.txtPlaying().text(), std::string("a.wav"));
    QCOMPARE(m_rig->window.txtLength().text(), std::string(" 0:00"));
    QCOMPARE(m_rig->media.updateInterval(), std::int16_t(1000));

    QTest::mouseClick(control<QToolButton>("Pause"), Qt::LeftButton);
    QCOMPARE(m_rig->media.updateInterval(), std::int16_t(0));
    QCOMPARE(m_rig->media.mode(), MediaMode::Paused);

    QTest::mouseClick(control<QToolButton>("Next"), Qt::LeftButton);
    QCOMPARE(queue().size(), std::size_t(2));
    QCOMPARE(m_rig->window.txtPlaying().text(), std::string("b.mid"));

    action("play")->trigger();
    QCOMPARE(m_rig->media.commands.back(), std::string("play"));
    QTest::mouseClick(control<QToolButton>("Stop"), Qt::LeftButton);
    QCOMPARE(m_rig->media.mode(), MediaMode::Stopped);
}

void TestMainWindowBinding::windowRequestsAreCarriedOut()
{
    MainWindow& window = m_rig->window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.setCaption("Another caption");
    QCOMPARE(window.windowTitle(), QStringLiteral("Another caption"));
    QCOMPARE(window.windowState(), MainWindowView::WindowState::Normal);
    window.beep();

    window.showVolumeNote("The mixer could not be started");
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), QStringLiteral("The mixer could not be started"));
    QToolTip::hideText();

    m_rig->help.shown.clear();
    action("HelpContents")->trigger();
    QCOMPARE(m_rig->help.shown, std::vector<int>{-1});
}

void TestMainWindowBinding::aboutAndVolumeAreReportedAsSignals()
{
    QSignalSpy about(&m_rig->window, &MainWindow::helpAboutClicked);
    QSignalSpy volume(&m_rig->window, &MainWindow::volumeClicked);
    action("helpabout")->trigger();
    QTest::mouseClick(control("imgVolume"), Qt::LeftButton);
    QCOMPARE(about.count(), 1);
    QCOMPARE(volume.count(), 1);
}

void TestMainWindowBinding::minimiseSwitchShowsTheWindowMinimised()
{
    m_rig = std::make_unique<WindowRig>("/m");
    m_rig->form.Form_Load();
    m_rig->window.show();
    QCOMPARE(m_rig->window.windowState(), MainWindowView::WindowState::Minimized);
    QVERIFY(m_rig->window.isMinimized());
}

void TestMainWindowBinding::exitUnloadsTheFormOnce()
{
    // Last: closing ends the program, which a test can only observe up to the quit.
    m_rig->form.Form_Load();
    m_rig->window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_rig->window));
    m_rig->media.commands.clear();
    QTest::mouseClick(control("cmdExit"), Qt::LeftButton);
    QVERIFY(!m_rig->window.isVisible());
    QCOMPARE(m_rig->media.commands, std::vector<std::string>{"Close"});
    m_rig->window.unload(); // already gone: no second unload
    QCOMPARE(m_rig->media.commands, std::vector<std::string>{"Close"});
}

void TestMainWindowBinding::exitMidTrackClosesTheDeviceBeforeTheProgramEnds()
{
    // Last as well: the window is left in a running event loop, as in the program, so that
    // the request to quit ends it.
    m_rig->form.Form_Load();
    m_rig->form.queue().cmdQAll_Click();
    m_rig->window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_rig->window));
    QTest::mouseClick(control<QToolButton>("Play"), Qt::LeftButton);
    QCOMPARE(m_rig->media.mode(), MediaMode::Playing);
    m_rig->media.commands.clear();

    // What the device had been told when the program was asked to end.
    struct QuitWatch : QObject
    {
        explicit QuitWatch(const RecordingMediaControl& media) : m_media(media) {}
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (watched == qApp && event->type() == QEvent::Quit)
                commandsAtQuit.push_back(m_media.commands);
            return false;
        }
        const RecordingMediaControl& m_media;
        std::vector<std::vector<std::string>> commandsAtQuit;
    } watch(m_rig->media);
    qApp->installEventFilter(&watch);
    // Only the window's own request may end the loop; a missing one fails after a while.
    QApplication::setQuitOnLastWindowClosed(false);
    QTimer pressExit;
    pressExit.setSingleShot(true);
    connect(&pressExit, &QTimer::timeout, this,
            [this] { QTest::mouseClick(control("cmdExit"), Qt::LeftButton); });
    pressExit.start(0);
    QTimer giveUp;
    giveUp.setSingleShot(true);
    connect(&giveUp, &QTimer::timeout, this, [] { QCoreApplication::exit(1); });
    giveUp.start(5000);

    const int result = QApplication::exec();
    qApp->removeEventFilter(&watch);
    QApplication::setQuitOnLastWindowClosed(true);
    QCOMPARE(result, 0);
    QCOMPARE(watch.commandsAtQuit, std::vector<std::vector<std::string>>{{"Close"}});
    QCOMPARE(m_rig->media.mode(), MediaMode::NotOpen);
    QVERIFY(!m_rig->window.isVisible());
}

QTEST_MAIN(TestMainWindowBinding)
#include "tst_mainwindowbinding.moc"
