// The real main window over the real logic, the About window over it, the help window and the
// controls on their own, in a session with a window manager, driven for the most part through
// the X server as a user drives it.

#include "app/showabout.h"
#include "platform/qt/aboutwindow.h"
#include "platform/qt/filelistbox.h"
#include "platform/qt/folderlistbox.h"
#include "platform/qt/helpwindow.h"
#include "platform/qt/listbox.h"
#include "platform/qt/mediabuttonbar.h"
#include "platform/qt/orvanestyle.h"
#include "windowrig.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

using namespace orvane;

using Entries = std::vector<std::string>;

namespace {

// The block that holds `anchor`; invalid when there is none.
QTextBlock anchorBlock(const QTextBrowser& browser, const QString& anchor)
{
    const QTextDocument* document = browser.document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().anchorNames().contains(anchor))
                return block;
        }
    }
    return {};
}

// True when the whole block is in the visible part of the browser.
bool isInView(const QTextBrowser& browser, const QTextBlock& block)
{
    if (!block.isValid())
        return false;
    const QRectF place = browser.document()->documentLayout()->blockBoundingRect(block);
    const int top = browser.verticalScrollBar()->value();
    const int bottom = top + browser.viewport()->height();
    return place.top() >= top - 1 && place.bottom() <= bottom;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { m_rig.reset(); }
    void theWindowIsFixedAndTabAndF1VisitTheControlsInOrder();
    void queueEntriesKeepOneLineElidedInTheMiddleWithTheirPathsAsTips();
    void dragsCarryThePressedEntryBothWaysUnderTheirPictures();
    void keysClicksAndMenuItemsRunTheCommands();
    void addingNothingLeavesTheLastTrackPlaying();
    void exitMidTrackClosesTheDeviceBeforeTheProgramEnds();
    void theAboutWindowIsCentredAndOnlyOkTakesTheKeys();
    void contentsAtTheTopHeadingsStandOutBackRetracesEveryMove();
    void theControlsFollowTheirModelsAndReportTheUsersInput();

private:
    template <typename T = QWidget> T* control(const char* name) const
    {
        return m_rig->control<T>(name);
    }
    QWidget& viewport(const char* list) const { return *control<QListView>(list)->viewport(); }
    QPoint row(const char* list, int index) const
    {
        auto* view = control<QListView>(list);
        return view->visualRect(view->model()->index(index, 0)).center();
    }
    XInput input() const { return XInput(m_rig->window); }
    // Input that presses at `at` in `list` and moves down from there past the drag distance.
    XInput pressAndSlide(const char* list, QPoint at) const
    {
        return std::move(input().moveTo(viewport(list), at).press().slideDown(viewport(list), at));
    }
    // What the pointer shows: "none" (no drag), "Image2", "Image3" or "other".
    QString pointer() const
    {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        if (!cursor)
            return "none";
        for (const char* image : {"Image2", "Image3"}) {
            if (cursor->pixmap().toImage() == control<QLabel>(image)->pixmap().toImage())
                return image;
        }
        return "other";
    }
    static QWidget* openAbout()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QLatin1String("About") && widget->isVisible())
                return widget;
        }
        return nullptr;
    }
    std::string file(int index) const
    {
        return QDir(m_folder)
            .filePath(QString::fromStdString(m_rig->model().File1.item(index)))
            .toStdString();
    }

    const QString m_helpFile = QFINDTESTDATA("../../../docs/orvane.hlp.html");
    MusicFolder m_music;
    QString m_folder;
    std::unique_ptr<WindowRig> m_rig;
};

void TestMainWindow::initTestCase()
{
    applyOrvaneStyle(*qApp);
    QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
    // Paths much wider than the queue, alike but for the file's name; and an odd name.
    const QString shelf = "music from the shelf in the hall, second row from the top, "
                          "behind the records of the summer";
    for (const char* name : {"intro.mid", "Overture.MID", "rain.wav", "waltz.rmi", "ünïcødé ♫.mid",
                             "notes.txt", "Jazz/"})
        QVERIFY(m_music.add(shelf + '/' + QString::fromUtf8(name)));
    m_folder = QString::fromStdString(m_music.path()) + '/' + shelf;
    // Every music file plays: the first for long enough to be played over, the others briefly.
    for (const char* name : {"Overture.MID", "waltz.rmi", "ünïcødé ♫.mid"})
        testing::writeBytes((m_folder + '/' + name).toStdString(), testing::simpleMidi(0.5));
    testing::writeBytes((m_folder + "/intro.mid").toStdString(), testing::simpleMidi(4));
    testing::writeLevel((m_folder + "/rain.wav").toStdString(), 500, 0.25f);
}

void TestMainWindow::init()
{
    QVERIFY(QDir::setCurrent(m_folder));
    m_rig = std::make_unique<WindowRig>();
    m_rig->form.Form_Load();
    m_rig->window.show();
    m_rig->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_rig->window));
    QCOMPARE(m_rig->model().File1.count(), 5);
}

void TestMainWindow::theWindowIsFixedAndTabAndF1VisitTheControlsInOrder()
{
    MainWindow& window = m_rig->window;
    QWidget* client = window.clientArea();
    QCOMPARE(client->size(), QSize(518, 386));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(!window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    for (const char* name : {"CommonDialog1", "List2", "Image2", "Image3"}) {
        QWidget* helper = control(name);
        QVERIFY2(!helper->isVisibleTo(client) || !client->rect().intersects(helper->geometry()),
                 name);
    }

    // F1 shows the focused control's topic, else the contents; Tab leads on, back to Dir1. Each
    // stop has a name for a screen reader.
    const std::pair<const char*, int> stops[] = {{"Dir1", 1111},
                                                 {"File1", 2222},
                                                 {"lstMusicQ", 3333},
                                                 {"Drive1", HelpViewer::kHelpContents},
                                                 {"cboFileType", HelpViewer::kHelpContents},
                                                 {"cmdClear", 5555},
                                                 {"cmdRnd", 5555},
                                                 {"cmdQAll", 5555},
                                                 {"MMControl1", 4444},
                                                 {"cmdExit", 5555},
                                                 {"Dir1", 1111}};
    std::vector<int> topics;
    for (std::size_t stop = 0; stop + 1 < std::size(stops); ++stop) {
        QCOMPARE(QApplication::focusWidget()->objectName(), stops[stop].first);
        QVERIFY2(!QAccessible::queryAccessibleInterface(QApplication::focusWidget())
                      ->text(QAccessible::Name)
                      .isEmpty(),
                 stops[stop].first);
        topics.push_back(stops[stop].second);
        QVERIFY(input().key("F1").key("Tab").run());
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), stops[stop + 1].first);
        QCOMPARE(m_rig->help.shown, topics);
    }
}

void TestMainWindow::queueEntriesKeepOneLineElidedInTheMiddleWithTheirPathsAsTips()
{
    MainWindow& window = m_rig->window;
    QVERIFY(input().moveTo(*control("cmdQAll"), {20, 12}).click().run());
    QTRY_COMPARE(m_rig->queue().size(), std::size_t(5));
    auto* queue = control<QListView>("lstMusicQ");
    queue->selectionModel()->clear();
    m_rig->model().txtPlaying.setText("intro.mid");
    m_rig->model().txtLength.setText(" 3:05");

    // One line each as high as the font, odd characters or not.
    for (const char* name : {"File1", "lstMusicQ"}) {
        auto* list = control<QListView>(name);
        for (int index = 0; index < list->model()->rowCount(); ++index)
            QCOMPARE(list->visualRect(list->model()->index(index, 0)).height(),
                     list->fontMetrics().height());
    }
    // Cut in the middle, the entries still differ by their names.
    const auto line = [queue](int index) {
        return queue->viewport()
            ->grab(queue->visualRect(queue->model()->index(index, 0)))
            .toImage();
    };
    QVERIFY(line(0) != line(1));
    QVERIFY(input().moveTo(viewport("lstMusicQ"), row("lstMusicQ", 2)).run());
    QTRY_COMPARE_WITH_TIMEOUT(QToolTip::text().toStdString(), m_rig->queue()[2], 10000);

    // The buttons on the silver strip are silver, bevels and faces.
    const QImage shot = window.grab().toImage();
    QVERIFY(shot.save(screenshotPath("mainwindow.png")));
    for (QPoint at : {QPoint(0, 12), QPoint(4, 4), QPoint(60, 3)}) {
        const QColor colour = shot.pixelColor(control("cmdRnd")->mapTo(&window, at));
        QVERIFY2(colour.red() == colour.green() && colour.green() == colour.blue(),
                 qPrintable(colour.name()));
    }

    // A note beside the volume picture reads as it was written, a name like markup too.
    const QString note = QStringLiteral("Cannot play <b>x</b> &amp; y.mid: not a MIDI file");
    window.showVolumeNote(note.toStdString());
    QTRY_VERIFY(QToolTip::isVisible());
    QTextDocument shown;
    shown.setHtml(QToolTip::text());
    QCOMPARE(shown.toPlainText(), note);
}

void TestMainWindow::dragsCarryThePressedEntryBothWaysUnderTheirPictures()
{
    // Pressed on the first file, the pointer passes the second before the drag starts.
    QVERIFY(pressAndSlide("File1", row("File1", 0)).run());
    QTRY_COMPARE(pointer(), "Image2");
    QVERIFY(input().moveTo(viewport("lstMusicQ"), {100, 40}).run());
    QTRY_COMPARE(pointer(), "Image3");
    QVERIFY(input().release().run());
    QTRY_COMPARE(m_rig->queue(), Entries{file(0)});
    QCOMPARE(m_rig->media.mode(), MediaMode::Stopped); // opened, as the only entry
    QCOMPARE(pointer(), "none");

    // From the queue to the file list the entry pressed is removed, after the wait.
    m_rig->form.queue().cmdQAll_Click();
    QVERIFY(pressAndSlide("lstMusicQ", row("lstMusicQ", 2)).run());
    QTRY_COMPARE(pointer(), "Image3");
    QVERIFY(input().moveTo(viewport("File1"), {100, 40}).run());
    QTRY_COMPARE(pointer(), "Image2");
    QVERIFY(input().release().run());
    QTRY_COMPARE(m_rig->queue(), Entries({file(0), file(0), file(2), file(3), file(4)}));
    QCOMPARE(pointer(), "none");

    // Dropped anywhere else, nothing changes.
    QVERIFY(pressAndSlide("File1", row("File1", 0))
                .moveTo(*control("Gauge1"), {10, 5})
                .release()
                .run());
    QTRY_COMPARE(pointer(), "none");
    QCOMPARE(m_rig->queue().size(), std::size_t(5));
}

void TestMainWindow::keysClicksAndMenuItemsRunTheCommands()
{
    // From the folder list, Tab leads to the file list, whose marked line Enter adds.
    QVERIFY(input().key("Tab").key("Return").run());
    QTRY_COMPARE(m_rig->queue(), Entries{file(0)});
    QVERIFY(input().key("alt+q").run());
    QTRY_COMPARE(m_rig->queue().size(), std::size_t(6));
    QVERIFY(input().moveTo(viewport("lstMusicQ"), row("lstMusicQ", 2)).click().key("Delete").run());
    QTRY_COMPARE(m_rig->queue(), Entries({file(0), file(0), file(2), file(3), file(4)}));
    QCOMPARE(m_rig->model().lstMusicQ.selectedIndex(), 2); // the entry that moved up
    QVERIFY(input().key("alt+c").run());
    QTRY_VERIFY(m_rig->queue().empty());
    // Enter on either keyboard presses the command button with the focus; Escape presses none,
    // neither that button nor Clear All.
    control("cmdQAll")->setFocus();
    QVERIFY(input().key("Escape").key("Return").key("Escape").key("KP_Enter").run());
    QTRY_COMPARE(m_rig->queue().size(), std::size_t(10));
    // The keys bring the line they move to into view.
    auto& queue = *control<QListView>("lstMusicQ");
    const auto inView = [&queue](int index) {
        const QRect line = queue.visualRect(queue.model()->index(index, 0));
        return line.top() >= 0 && line.bottom() < queue.viewport()->height();
    };
    QVERIFY(!inView(9));
    QVERIFY(input().moveTo(viewport("lstMusicQ"), row("lstMusicQ", 0)).click().key("End").run());
    QTRY_VERIFY(inView(9));
    // Randomise, not Queue All: three shuffles of five all in listing order are one in 1.7 million.
    bool shuffled = false;
    for (int i = 0; i < 3; ++i) {
        m_rig->form.queue().cmdClear_Click();
        control<QAction>("random")->trigger();
        QCOMPARE(m_rig->queue().size(), std::size_t(5));
        shuffled =
            shuffled || m_rig->queue() != Entries({file(0), file(1), file(2), file(3), file(4)});
    }
    QVERIFY(shuffled);
    control<QAction>("play")->trigger();
    QCOMPARE(m_rig->media.mode(), MediaMode::Playing);
}

void TestMainWindow::addingNothingLeavesTheLastTrackPlaying()
{
    m_rig->form.File1_Select(0);
    m_rig->form.File1_DblClick();
    control<QAction>("play")->trigger();
    m_rig->form.File1_Select(-1);
    // With no file selected: a click and Enter, a double-click beside the files, and a drag
    // from there onto the queue; then a double-click on the second file, which is appended.
    const QPoint beside = row("File1", 4) + QPoint(0, 16); // below the last file
    QVERIFY(input()
                .moveTo(viewport("File1"), beside)
                .click()
                .key("Return")
                .pause()
                .click(2)
                .pause()
                .press()
                .slideDown(viewport("File1"), beside)
                .moveTo(viewport("lstMusicQ"), {100, 40})
                .release()
                .moveTo(viewport("File1"), row("File1", 1))
                .click(2)
                .run());
    QTRY_COMPARE(m_rig->queue(), Entries({file(0), file(1)}));
    // The first went on playing all the while; once it has played to its end, the second.
    QCOMPARE(m_rig->media.mode(), MediaMode::Playing);
    QCOMPARE(m_rig->model().txtPlaying.text(), std::string("intro.mid"));
    QTRY_COMPARE_WITH_TIMEOUT(m_rig->queue(), Entries{file(1)}, 10000);
    QCOMPARE(m_rig->model().txtPlaying.text(), std::string("overture.mid"));
}

void TestMainWindow::exitMidTrackClosesTheDeviceBeforeTheProgramEnds()
{
    // In a running event loop, as in the program, so that the request to quit ends it.
    m_rig->form.queue().cmdQAll_Click();
    QTest::mouseClick(control("Play"), Qt::LeftButton);
    QCOMPARE(m_rig->media.mode(), MediaMode::Playing);

    // Only the window's own request may end the loop; a missing one fails after a while.
    QApplication::setQuitOnLastWindowClosed(false);
    QTimer::singleShot(0, this, [this] {
        QVERIFY(input().moveTo(*control("cmdExit"), {20, 12}).click().run());
    });
    QTimer giveUp;
    connect(&giveUp, &QTimer::timeout, this, [] { QCoreApplication::exit(1); });
    giveUp.start(20000);

    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(m_rig->media.mode(), MediaMode::NotOpen); // by the time the program ends
    QVERIFY(!m_rig->window.isVisible());
}

// The About window, over the main window as the window manager frames it. (Its texts fit at
// every screen ratio: tst_screenscale.)
void TestMainWindow::theAboutWindowIsCentredAndOnlyOkTakesTheKeys()
{
    {
        // Enter, Space, Escape and the close box all press OK, which keeps the focus.
        AboutWindow window(&m_rig->window);
        QCOMPARE(window.minimumSize(), window.maximumSize());
        int presses = 0;
        window.setCommand1Click([&] { ++presses; });
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(XInput(window).key("Tab").key("Return").key("space").key("Escape").run());
        QTRY_COMPARE(presses, 3);
        QCOMPARE(window.focusWidget(), window.findChild<QPushButton*>("Command1"));
        window.close();
        QCOMPARE(presses, 4);
    }
    // Shown from the menu: modal, centred on the screen, closed by OK each time.
    QtAboutWindowFactory windows(&m_rig->window);
    for (int opening = 1; opening <= 2; ++opening) {
        bool checked = false;
        QTimer::singleShot(0, this, [&] {
            auto* about = qobject_cast<AboutWindow*>(openAbout());
            QVERIFY(about && about->isModal());
            QVERIFY(QTest::qWaitForWindowExposed(about));
            QTRY_VERIFY(about->frameGeometry().top() < about->geometry().top());
            const QPoint off =
                about->frameGeometry().center() - about->screen()->geometry().center();
            QVERIFY2(off.manhattanLength() <= 2,
                     qPrintable(QStringLiteral("%1,%2").arg(off.x()).arg(off.y())));
            QCOMPARE(about->windowTitle(), QStringLiteral("About Vemor's 32-bit Music Player"));
            const QPixmap icon = about->findChild<QLabel*>(QStringLiteral("Image2"))->pixmap();
            QCOMPARE(icon.toImage(), m_rig->window.windowIcon().pixmap(32, 32).toImage());
            if (opening == 1)
                QVERIFY(about->grab().save(screenshotPath("about.png")));
            checked = true;
            QVERIFY(XInput(*about)
                        .moveTo(*about->findChild<QPushButton*>("Command1"), {20, 10})
                        .click()
                        .run());
        });
        // Ends a showing that the OK button failed to end, so the test fails instead of hanging.
        QTimer rescue;
        rescue.setSingleShot(true);
        connect(&rescue, &QTimer::timeout, this, [] {
            if (QWidget* about = openAbout())
                about->hide();
        });
        rescue.start(20000);
        ShowAbout(windows);
        QVERIFY(rescue.isActive());
        QVERIFY(checked);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!openAbout());
    }
}

// The help window.
void TestMainWindow::contentsAtTheTopHeadingsStandOutBackRetracesEveryMove()
{
    // A missing file says where it was looked for, with no markup taken from its name.
    {
        QTemporaryDir dir;
        const QString missing = dir.filePath(QStringLiteral("<b>&amp; x.hlp"));
        HelpWindow lost;
        lost.setHelpFile(missing.toStdString());
        lost.showHelp();
        QVERIFY(lost.browser()->toPlainText().contains(QStringLiteral("not found")));
        QVERIFY(lost.browser()->toPlainText().contains(missing));
    }

    // The contents: at the top, beside the main window without holding it up, wholly on the
    // screen.
    HelpWindow help;
    help.setBeside(&m_rig->window);
    help.setHelpFile(m_helpFile.toStdString());
    help.setHelpCommand(HelpViewer::kHelpContents);
    help.showTopic(5555);
    help.showHelp();
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    QVERIFY(!help.isModal());
    QTRY_VERIFY(help.frameGeometry().top() < help.geometry().top()); // framed
    QVERIFY(!help.frameGeometry().intersects(m_rig->window.frameGeometry()));
    QVERIFY(help.screen()->availableGeometry().contains(help.frameGeometry()));
    QTextBrowser& browser = *help.browser();
    QCOMPARE(browser.verticalScrollBar()->value(), 0);
    const QTextBlock queue = anchorBlock(browser, QStringLiteral("topic-3333"));
    QVERIFY(queue.layout()->lineAt(0).height() > 1.2 * queue.next().layout()->lineAt(0).height());

    // Every link leads to an anchor; the contents' link to the queue's topic is followed with
    // the mouse.
    QTextCursor link(browser.document());
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QString href = it.fragment().charFormat().anchorHref();
            if (href.startsWith('#'))
                QVERIFY2(anchorBlock(browser, href.mid(1)).isValid(), qPrintable(href));
            if (href == QLatin1String("#topic-3333"))
                link.setPosition(it.fragment().position() + 1);
        }
    }
    QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, browser.cursorRect(link).center());
    QVERIFY(isInView(browser, queue));
    auto* back = help.findChild<QPushButton*>(QStringLiteral("helpBack"));
    QTest::mouseClick(help.findChild<QPushButton*>(QStringLiteral("helpContents")), Qt::LeftButton);
    QCOMPARE(browser.verticalScrollBar()->value(), 0);
    QTest::mouseClick(back, Qt::LeftButton);
    QVERIFY(isInView(browser, queue));
    QTest::keyClick(&browser, Qt::Key_Left, Qt::AltModifier);
    QCOMPARE(browser.verticalScrollBar()->value(), 0);
    // Last, the topic shown when the contents were asked for.
    QTest::mouseClick(back, Qt::LeftButton);
    QVERIFY(isInView(browser, anchorBlock(browser, HelpWindow::topicAnchor(5555))));
    QVERIFY(!back->isEnabled());

    // Each topic opens at its heading, the contents out of sight; an unknown one at the top.
    const std::pair<int, const char*> headings[] = {
        {1111, "Folders"},
        {2222, "Music files"},
        {3333, "The music queue"},
        {4444, "The transport buttons: Next, Play, Pause, Stop"},
        {5555, "Clear All, Randomise, Queue All and Exit"}};
    for (const auto& [topic, heading] : headings) {
        help.showTopic(topic);
        const QTextBlock block = anchorBlock(browser, HelpWindow::topicAnchor(topic));
        QCOMPARE(block.text(), QString::fromUtf8(heading));
        QVERIFY(isInView(browser, block));
        QVERIFY(!isInView(browser, anchorBlock(browser, QStringLiteral("contents"))));
    }
    help.showTopic(9999);
    QCOMPARE(browser.verticalScrollBar()->value(), 0);
}

// The controls on their own.
void TestMainWindow::theControlsFollowTheirModelsAndReportTheUsersInput()
{
    ListModel entries;
    ListBox queue;
    queue.bind(&entries);
    for (const char* entry : {"/a.mid", "/b.mid", "/c.mid", "/d.mid", "/e.mid"})
        entries.addItem(entry);
    QSignalSpy selected(&queue, &ListBox::selected);
    entries.setSelectedIndex(3); // d
    entries.removeItem(0);       // before the selection: it moves up with its entry
    QCOMPARE(queue.selectionModel()->selectedRows().value(0).row(), 2);
    entries.removeItem(2); // the selected entry itself: none is selected, not a neighbour
    QVERIFY(queue.selectionModel()->selectedRows().isEmpty());
    QCOMPARE(selected.count(), 0);         // none of that is the user's
    QTest::keyClick(&queue, Qt::Key_Down); // the user's: with no line current, the first
    QCOMPARE(selected.count(), 1);
    QCOMPARE(selected[0][0].toInt(), 0);

    // Enter, on either keyboard, is 13; keys without a character are not reported.
    FileListBox files;
    QSignalSpy keys(&files, &FileListBox::keyPressed);
    QTest::keyClick(&files, Qt::Key_Return);
    QTest::keyClick(&files, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&files, Qt::Key_A);
    QTest::keyClick(&files, Qt::Key_Down);
    QCOMPARE(keys.count(), 3);
    QCOMPARE(keys[1][0].toInt(), 13);
    QCOMPARE(keys[2][0].toInt(), int('a'));

    // A folder opened at the foot of a long chain shows its first sub-folders below it.
    FolderListModel folder;
    FolderListBox tree;
    tree.resize(177, 96);
    tree.bind(&folder);
    tree.show();
    QVERIFY(QTest::qWaitForWindowExposed(&tree));
    folder.setFolder("/a/b/c/d/e/f/g/h", {"one", "two", "three"});
    const QModelIndex first = tree.indexBelow(tree.currentIndex());
    QCOMPARE(first.data().toString(), QStringLiteral("one"));
    QCOMPARE_LE(tree.visualRect(first).bottom(), tree.viewport()->height());
    QVERIFY(tree.visualRect(tree.currentIndex()).top() >= 0);

    // From the keyboard the media bar is one stop: arrows choose, Space presses. (The mouse
    // presses Play in the exit case.)
    MediaButtonBar bar;
    bar.resize(208, 25);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QSignalSpy presses(&bar, &MediaButtonBar::pressed);
    bar.setFocus();
    QTest::keyClick(&bar, Qt::Key_Right);
    QTest::keyClick(&bar, Qt::Key_Right);
    QTest::keyClick(&bar, Qt::Key_Space);
    QTRY_COMPARE(presses.count(), 1);
    QCOMPARE(presses[0][0].value<MediaButton>(), MediaButton::Pause);

    // Pause stays down while the control is paused, as a screen reader reads it too; a press
    // that pauses nothing leaves it up.
    QToolButton* pause = bar.button(MediaButton::Pause);
    const auto down = [pause] {
        return QAccessible::queryAccessibleInterface(pause)->state().checked && pause->isChecked();
    };
    QVERIFY(!down());
    bar.showPaused(true);
    QVERIFY(down());
    QTest::mouseClick(pause, Qt::LeftButton);
    QVERIFY(down());
    bar.showPaused(false);
    QTest::mouseClick(pause, Qt::LeftButton);
    QVERIFY(!down());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
