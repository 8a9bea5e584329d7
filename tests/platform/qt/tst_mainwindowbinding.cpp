// The real window over the real logic: the controls' events reach the handlers, and the
// window does what the logic asks of it. What the handlers then do is the logic tests' part.

#include "platform/qt/orvanestyle.h"
#include "windowrig.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace orvane;

using Entries = std::vector<std::string>;

class TestMainWindowBinding : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { m_rig.reset(); }
    void buttonsMenuItemsAndAccessKeysRunTheQueueHandlers();
    void enterAndDoubleClicksAddAndRemoveEntries();
    void folderAndFileTypeChoicesRelistTheFiles();
    void transportButtonsReachThePlayer();
    void windowRequestsAndSignals();
    void minimiseSwitchShowsTheWindowMinimised();
    void exitMidTrackClosesTheDeviceBeforeTheProgramEnds();

private:
    template <typename T = QWidget> T* control(const char* name) const
    {
        return m_rig->control<T>(name);
    }
    void click(const char* name) { QTest::mouseClick(control(name), Qt::LeftButton); }
    std::string inMusic(const char* name) const
    {
        return m_music.filePath(QString::fromLatin1(name)).toStdString();
    }

    QTemporaryDir m_music;
    std::unique_ptr<WindowRig> m_rig;
};

void TestMainWindowBinding::initTestCase()
{
    applyOrvaneStyle(*qApp);
    QVERIFY(
        makeFiles(m_music.path(), {"b.mid", "A.WAV", "c.rmi", "skip.txt", "Sub/", "Sub/deep.wav"}));
}

void TestMainWindowBinding::init()
{
    QVERIFY(QDir::setCurrent(m_music.path()));
    m_rig = std::make_unique<WindowRig>();
    m_rig->form.Form_Load();
}

void TestMainWindowBinding::buttonsMenuItemsAndAccessKeysRunTheQueueHandlers()
{
    const Entries all{inMusic("A.WAV"), inMusic("b.mid"), inMusic("c.rmi")};
    click("cmdQAll");
    QCOMPARE(m_rig->queue(), all);
    QCOMPARE(m_rig->media.fileName(), inMusic("A.WAV"));
    control<QAction>("clear")->trigger();
    QVERIFY(m_rig->queue().empty());
    control<QAction>("random")->trigger();
    control<QAction>("queue")->trigger();
    click("cmdRnd");
    QCOMPARE(m_rig->queue().size(), std::size_t(9));
    click("cmdClear");
    QVERIFY(m_rig->queue().empty());

    // Alt with the access key presses the button.
    m_rig->window.show();
    m_rig->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_rig->window));
    QTest::keyClick(&m_rig->window, Qt::Key_Q, Qt::AltModifier);
    QTRY_COMPARE(m_rig->queue(), all); // the button shows itself pressed for a moment first
}

void TestMainWindowBinding::enterAndDoubleClicksAddAndRemoveEntries()
{
    MainWindow& window = m_rig->window;
    auto* files = control<QListView>("File1");
    window.File1().setSelectedIndex(1);
    QTest::keyClick(files, Qt::Key_Return);
    QCOMPARE(m_rig->queue(), Entries{inMusic("b.mid")});

    const QRect third = files->visualRect(files->model()->index(2, 0));
    QTest::mouseDClick(files->viewport(), Qt::LeftButton, {}, third.center());
    QCOMPARE(m_rig->queue(), Entries({inMusic("b.mid"), inMusic("c.rmi")}));

    // A double-click in the queue removes, after the wait, the entry then selected.
    auto* entries = control<QListView>("lstMusicQ");
    window.lstMusicQ().setSelectedIndex(0);
    const QRect first = entries->visualRect(entries->model()->index(0, 0));
    QTest::mouseDClick(entries->viewport(), Qt::LeftButton, {}, first.center());
    QCOMPARE(m_rig->queue(), Entries{inMusic("c.rmi")});
}

void TestMainWindowBinding::folderAndFileTypeChoicesRelistTheFiles()
{
    MainWindow& window = m_rig->window;
    auto* types = control<QComboBox>("cboFileType");
    types->setFocus();
    QTest::keyClick(types, Qt::Key_Down);
    QCOMPARE(window.File1().pattern(), std::string("*.MID;*.RMI"));
    QCOMPARE(window.File1().count(), 2);
    QTest::keyClick(types, Qt::Key_Down);
    QCOMPARE(window.File1().pattern(), std::string("*.WAV"));
    QCOMPARE(window.File1().count(), 1);

    // An arrow only moves the highlight; Enter opens the folder.
    auto* folders = control("Dir1");
    folders->setFocus();
    QTest::keyClick(folders, Qt::Key_Down);
    QCOMPARE(window.Dir1().path(), m_music.path().toStdString());
    QTest::keyClick(folders, Qt::Key_Return);
    QCOMPARE(window.Dir1().path(), inMusic("Sub"));
    QCOMPARE(window.File1().path(), inMusic("Sub"));
    QCOMPARE(window.File1().name(0), std::string("deep.wav"));
}

void TestMainWindowBinding::transportButtonsReachThePlayer()
{
    m_rig->form.queue().cmdQAll_Click();
    m_rig->media.commands.clear();
    click("Play");
    // PlayQueueHead ran and cancelled the button's own action.
    QCOMPARE(m_rig->media.commands, Entries({"Close", "Open", "play"}));
    QCOMPARE(m_rig->window.txtPlaying().text(), std::string("a.wav"));
    click("Pause");
    QCOMPARE(m_rig->media.mode(), MediaMode::Paused);
    click("Next");
    QCOMPARE(m_rig->window.txtPlaying().text(), std::string("b.mid"));
    click("Stop");
    QCOMPARE(m_rig->media.mode(), MediaMode::Stopped);
    control<QAction>("play")->trigger();
    QCOMPARE(m_rig->media.mode(), MediaMode::Playing);
}

void TestMainWindowBinding::windowRequestsAndSignals()
{
    MainWindow& window = m_rig->window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    control<QAction>("HelpContents")->trigger();
    QCOMPARE(m_rig->help.shown, std::vector<int>{HelpViewer::kHelpContents});

    control<QAction>("helpabout")->trigger();
    QCOMPARE(m_rig->about.records.size(), std::size_t{1});
    click("imgVolume");
    QVERIFY(!m_rig->launcher.attempts.empty());
}

void TestMainWindowBinding::minimiseSwitchShowsTheWindowMinimised()
{
    m_rig = std::make_unique<WindowRig>("/m");
    m_rig->form.Form_Load();
    m_rig->window.show();
    // The window manager iconifies the window as it maps it.
    QTRY_COMPARE(m_rig->window.windowState(), MainWindowView::WindowState::Minimized);
}

void TestMainWindowBinding::exitMidTrackClosesTheDeviceBeforeTheProgramEnds()
{
    // Last: the window is left in a running event loop, as in the program, so that the
    // request to quit ends it.
    m_rig->form.queue().cmdQAll_Click();
    m_rig->window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_rig->window));
    click("Play");
    QCOMPARE(m_rig->media.mode(), MediaMode::Playing);
    m_rig->media.commands.clear();

    // What the device had been told when the program was asked to end.
    struct QuitWatch : QObject
    {
        explicit QuitWatch(const FakeMediaControl& media) : m_media(media) {}
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            if (watched == qApp && event->type() == QEvent::Quit)
                commandsAtQuit.push_back(m_media.commands);
            return false;
        }
        const FakeMediaControl& m_media;
        std::vector<Entries> commandsAtQuit;
    } watch(m_rig->media);
    qApp->installEventFilter(&watch);
    // Only the window's own request may end the loop; a missing one fails after a while.
    QApplication::setQuitOnLastWindowClosed(false);
    QTimer::singleShot(0, this, [this] { click("cmdExit"); });
    QTimer giveUp;
    connect(&giveUp, &QTimer::timeout, this, [] { QCoreApplication::exit(1); });
    giveUp.start(5000);

    const int result = QApplication::exec();
    qApp->removeEventFilter(&watch);
    QApplication::setQuitOnLastWindowClosed(true);
    QCOMPARE(result, 0);
    QCOMPARE(watch.commandsAtQuit, std::vector<Entries>{{"Close"}});
    QCOMPARE(m_rig->media.mode(), MediaMode::NotOpen);
    QVERIFY(!m_rig->window.isVisible());
    m_rig->window.unload(); // already gone: no second unload
    QCOMPARE(m_rig->media.commands, Entries{"Close"});
}

QTEST_MAIN(TestMainWindowBinding)
#include "tst_mainwindowbinding.moc"
