// Dragging between the file list and the queue in the real window, with the mouse driven
// through the window as a user drives it: press on an entry, move, release somewhere.

#include "platform/qt/orvanestyle.h"
#include "windowrig.h"

#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace orvane;

using Entries = std::vector<std::string>;

class TestMainWindowDragDrop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void aFileDroppedOnTheQueueIsAppended();
    void aQueueEntryDroppedOnTheFileListIsRemovedAfterTheWait();
    void aStraightDragFromARealPointerCarriesTheEntryPressed();
    void dropsOnTheDraggedListOrElsewhereChangeNothing();
    void onlyTheLeftButtonMovedFarEnoughOverANonEmptyListDrags();
    void thePointerShowsTheDraggedListsPictureAsItCrossesTheLists();

private:
    // Points in the window's coordinates: a control's centre, a list's entry, and the bare
    // window between the file list and the queue.
    QPoint centreOf(const char* name) const
    {
        QWidget* widget = m_rig->control(name);
        return widget->mapTo(&m_rig->window, widget->rect().center());
    }
    QPoint entryOf(const char* list, int row) const
    {
        auto* view = m_rig->control<QListView>(list);
        const QRect entry = view->visualRect(view->model()->index(row, 0));
        return view->viewport()->mapTo(&m_rig->window, entry.center());
    }
    QPoint gap() const
    {
        const QRect files = m_rig->control("File1")->geometry();
        const QPoint inClient(files.center().x(),
                              (files.bottom() + m_rig->control("lstMusicQ")->y()) / 2);
        return m_rig->window.clientArea()->mapTo(&m_rig->window, inClient);
    }
    static QPoint farEnough() { return {0, QApplication::startDragDistance() + 2}; }

    void press(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(m_rig->window.windowHandle(), button, {}, at);
    }
    void moveTo(QPoint at) { QTest::mouseMove(m_rig->window.windowHandle(), at); }
    void release(QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(m_rig->window.windowHandle(), button, {}, at);
    }
    void drag(QPoint from, QPoint to)
    {
        press(from);
        moveTo(from + farEnough());
        moveTo(to);
        release(to);
    }

    // What the pointer shows: "none" (no drag), "Image2", "Image3" or "other".
    QString pointer() const
    {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        if (!cursor)
            return "none";
        for (const char* image : {"Image2", "Image3"}) {
            if (cursor->pixmap().toImage() == m_rig->control<QLabel>(image)->pixmap().toImage())
                return image;
        }
        return "other";
    }
    std::string inMusic(const char* name) const
    {
        return m_music.filePath(QString::fromLatin1(name)).toStdString();
    }

    QTemporaryDir m_music;
    QTemporaryDir m_empty;
    std::unique_ptr<WindowRig> m_rig;
};

void TestMainWindowDragDrop::initTestCase()
{
    applyOrvaneStyle(*qApp);
    QCoreApplication::setAttribute(Qt::AA_CompressHighFrequencyEvents, false);
    QVERIFY(makeFiles(m_music.path(), {"A.WAV", "b.mid", "c.rmi"}));
}

void TestMainWindowDragDrop::init()
{
    QVERIFY(QDir::setCurrent(m_music.path()));
    m_rig = std::make_unique<WindowRig>();
    m_rig->form.Form_Load();
    m_rig->window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_rig->window));
    QCOMPARE(m_rig->window.File1().count(), 3);
}

void TestMainWindowDragDrop::cleanup()
{
    m_rig.reset();
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TestMainWindowDragDrop::aFileDroppedOnTheQueueIsAppended()
{
    // Pressed on the first file, the pointer passes over the others on its way out: the
    // pressed file is the one added, with its full path, and opened as the only entry.
    press(entryOf("File1", 0));
    moveTo(entryOf("File1", 2));
    QCOMPARE(pointer(), "Image2");
    moveTo(centreOf("lstMusicQ"));
    release(centreOf("lstMusicQ"));
    QCOMPARE(m_rig->queue(), Entries{inMusic("A.WAV")});
    QCOMPARE(m_rig->media.fileName(), inMusic("A.WAV"));
    QCOMPARE(pointer(), "none");
    QVERIFY(!QWidget::mouseGrabber());

    drag(entryOf("File1", 2), entryOf("lstMusicQ", 0));
    QCOMPARE(m_rig->queue(), Entries({inMusic("A.WAV"), inMusic("c.rmi")}));

    // A double-click still adds the file, without starting a drag.
    QTest::mouseDClick(m_rig->window.windowHandle(), Qt::LeftButton, {}, entryOf("File1", 1));
    QCOMPARE(m_rig->queue().back(), inMusic("b.mid"));
    QCOMPARE(pointer(), "none");
}

void TestMainWindowDragDrop::aQueueEntryDroppedOnTheFileListIsRemovedAfterTheWait()
{
    m_rig->form.queue().cmdQAll_Click();
    // The window goes on handling events during the wait, with the drag already over: the
    // first events it handles after the release are the wait's.
    Entries duringTheWait;
    QString pointerDuringTheWait;
    bool grabbedDuringTheWait = true;
    press(entryOf("lstMusicQ", 1));
    moveTo(entryOf("lstMusicQ", 1) + farEnough());
    moveTo(centreOf("File1"));
    QTimer::singleShot(0, this, [&] {
        duringTheWait = m_rig->queue();
        pointerDuringTheWait = pointer();
        grabbedDuringTheWait = QWidget::mouseGrabber() != nullptr;
    });
    release(centreOf("File1"));
    QCOMPARE(duringTheWait.size(), std::size_t(3));
    QCOMPARE(pointerDuringTheWait, "none");
    QVERIFY(!grabbedDuringTheWait);
    QCOMPARE(m_rig->queue(), Entries({inMusic("A.WAV"), inMusic("c.rmi")}));

    // The window takes the next drag as usual.
    drag(entryOf("lstMusicQ", 0), entryOf("File1", 1));
    QCOMPARE(m_rig->queue(), Entries{inMusic("c.rmi")});
}

void TestMainWindowDragDrop::aStraightDragFromARealPointerCarriesTheEntryPressed()
{
    // Pressed in the middle of an entry, the pointer moves straight down a pixel or two at a
    // time, as a hand moves it, and passes the next entry before the drag begins.
    const auto dragDown = [this](const char* from, int row, const char* to) {
        auto* list = m_rig->control<QListView>(from);
        const QPoint pressed = list->visualRect(list->model()->index(row, 0)).center();
        XInput input(m_rig->window);
        input.moveTo(*list->viewport(), pressed).press();
        for (int down = 2; down <= QApplication::startDragDistance() + 6; down += 2)
            input.moveTo(*list->viewport(), pressed + QPoint(0, down));
        QWidget* target = m_rig->control(to);
        return input.moveTo(*target, target->rect().center()).release().run();
    };
    QVERIFY(QTest::qWaitForWindowActive(&m_rig->window));
    QVERIFY(dragDown("File1", 0, "lstMusicQ"));
    QTRY_COMPARE(m_rig->queue(), Entries{inMusic("A.WAV")});
    m_rig->form.queue().cmdQAll_Click();
    QVERIFY(dragDown("lstMusicQ", 2, "File1"));
    QTRY_COMPARE(m_rig->queue(), Entries({inMusic("A.WAV"), inMusic("A.WAV"), inMusic("c.rmi")}));
}

void TestMainWindowDragDrop::dropsOnTheDraggedListOrElsewhereChangeNothing()
{
    m_rig->form.queue().cmdQAll_Click();
    const Entries all = m_rig->queue();
    m_rig->media.commands.clear();

    drag(entryOf("File1", 1), entryOf("File1", 2));
    drag(entryOf("lstMusicQ", 1), entryOf("lstMusicQ", 2));
    drag(entryOf("File1", 0), centreOf("Dir1"));
    drag(entryOf("lstMusicQ", 0), centreOf("Gauge1"));
    drag(entryOf("File1", 0), gap());
    QCOMPARE(m_rig->queue(), all);
    QVERIFY(m_rig->media.commands.empty());
    QCOMPARE(pointer(), "none");
}

void TestMainWindowDragDrop::onlyTheLeftButtonMovedFarEnoughOverANonEmptyListDrags()
{
    const QPoint file = entryOf("File1", 1);
    const QPoint queue = centreOf("lstMusicQ");

    // The right button, and the left and right together.
    press(file, Qt::RightButton);
    moveTo(file + farEnough());
    QCOMPARE(pointer(), "none");
    moveTo(queue);
    release(queue, Qt::RightButton);
    press(file);
    press(file, Qt::RightButton);
    moveTo(file + farEnough());
    QCOMPARE(pointer(), "none");
    release(file + farEnough(), Qt::RightButton);
    release(file + farEnough());

    // A pointer that trembles in a click drags nothing; one that goes on does.
    press(file);
    moveTo(file + QPoint(2, 1));
    QCOMPARE(pointer(), "none");
    moveTo(file + farEnough());
    QCOMPARE(pointer(), "Image2");
    release(gap());

    // An empty queue, and an empty file list.
    press(queue);
    moveTo(queue + farEnough());
    QCOMPARE(pointer(), "none");
    release(queue + farEnough());
    QVERIFY(m_rig->window.Dir1().setPath(m_empty.path().toStdString()));
    QCOMPARE(m_rig->window.File1().count(), 0);
    press(centreOf("File1"));
    moveTo(centreOf("File1") + farEnough());
    QCOMPARE(pointer(), "none");
    moveTo(queue);
    release(queue);
    QVERIFY(m_rig->queue().empty());
}

void TestMainWindowDragDrop::thePointerShowsTheDraggedListsPictureAsItCrossesTheLists()
{
    m_rig->form.queue().cmdQAll_Click();
    const Entries all = m_rig->queue();
    QStringList shown;
    // Drags from `from` over each of `points`, releasing at the last.
    const auto dragOver = [&](QPoint from, std::initializer_list<QPoint> points) {
        shown.clear();
        press(from);
        moveTo(from + farEnough());
        shown << pointer();
        for (QPoint at : points) {
            moveTo(at);
            shown << pointer();
        }
        release(*(points.end() - 1));
        shown << pointer();
    };

    // From the file list: the notes, the loudspeaker over the queue, the notes off it.
    dragOver(entryOf("File1", 0), {gap(), entryOf("lstMusicQ", 0), entryOf("lstMusicQ", 1), gap(),
                                   entryOf("lstMusicQ", 2), entryOf("File1", 1)});
    QCOMPARE(shown, QStringList({"Image2", "Image2", "Image3", "Image3", "Image2", "Image3",
                                 "Image2", "none"}));

    // From the queue: the loudspeaker, the notes over the file list, the loudspeaker off it.
    dragOver(entryOf("lstMusicQ", 0), {gap(), entryOf("File1", 0), entryOf("File1", 2), gap(),
                                       entryOf("File1", 1), centreOf("Gauge1")});
    QCOMPARE(shown, QStringList({"Image3", "Image3", "Image2", "Image2", "Image3", "Image2",
                                 "Image3", "none"}));
    QCOMPARE(m_rig->queue(), all);
}

QTEST_MAIN(TestMainWindowDragDrop)
#include "tst_mainwindowdragdrop.moc"
