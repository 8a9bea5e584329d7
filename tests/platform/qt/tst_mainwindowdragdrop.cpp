// Dragging between the file list and the queue in the real window, with the mouse driven
// through the window as a user drives it: press on an entry, move, release somewhere.

#include "platform/listcontrol.h"
#include "platform/qt/orvanestyle.h"
#include "windowrig.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>

using namespace orvane;

class TestMainWindowDragDrop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void aFileDroppedOnTheQueueIsAppended();
    void aQueueEntryDroppedOnTheFileListIsRemovedAfterTheWait();
    void dropsOnTheDraggedListOrElsewhereChangeNothing();
    void onlyTheLeftButtonMovedFarEnoughOverANonEmptyListDrags();
    void aDoubleClickStillAddsTheFile();
    void thePointerShowsTheDraggedListsPictureAsItCrossesTheLists();

private:
    template <typename T = QWidget> T* control(const char* name) const
    {
        return m_rig->window.findChild<T*>(QString::fromLatin1(name));
    }
    // A point of a control, in the window's coordinates.
    QPoint centreOf(const char* name) const
    {
        QWidget* widget = control(name);
        return widget->mapTo(&m_rig->window, widget->rect().center());
    }
    QPoint entryOf(const char* list, int row) const
    {
        auto* view = control<QListView>(list);
        const QRect entry = view->visualRect(view->model()->index(row, 0));
        return view->viewport()->mapTo(&m_rig->window, entry.center());
    }
    // The bare window between the file list and the queue.
    QPoint gap() const
    {
        const QWidget* files = control("File1");
        const QWidget* queue = control("lstMusicQ");
        const QPoint inClient((files->geometry().left() + files->geometry().right()) / 2,
                              (files->geometry().bottom() + queue->geometry().top()) / 2);
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
            return QStringLiteral("none");
        const QImage shown = cursor->pixmap().toImage();
        for (const char* image : {"Image2", "Image3"}) {
            if (shown == control<QLabel>(image)->pixmap().toImage())
                return QString::fromLatin1(image);
        }
        return QStringLiteral("other");
    }
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
    QTemporaryDir m_empty;
    QString m_startFolder;
    std::unique_ptr<WindowRig> m_rig;
};

void TestMainWindowDragDrop::initTestCase()
{
    applyOrvaneStyle(*qApp);
    const QDir music(m_music.path());
    for (const char* name : {"A.WAV", "b.mid", "c.rmi"}) {
        QFile file(music.filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    m_startFolder = QDir::currentPath();
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

void TestMainWindowDragDrop::cleanupTestCase()
{
    QDir::setCurrent(m_startFolder);
}

void TestMainWindowDragDrop::aFileDroppedOnTheQueueIsAppended()
{
    // Pressed on the first file, the pointer passes over the others on its way out: the
    // pressed file is the one added, with its full path, and opened as the only entry.
    press(entryOf("File1", 0));
    moveTo(entryOf("File1", 2));
    QCOMPARE(pointer(), QStringLiteral("Image2"));
    moveTo(centreOf("lstMusicQ"));
    release(centreOf("lstMusicQ"));
    QCOMPARE(queue(), std::vector<std::string>{inMusic("A.WAV")});
    QCOMPARE(m_rig->media.fileName(), inMusic("A.WAV"));
    QCOMPARE(pointer(), QStringLiteral("none"));
    QVERIFY(!QWidget::mouseGrabber());

    drag(entryOf("File1", 2), entryOf("lstMusicQ", 0));
    QCOMPARE(queue(), std::vector<std::string>({inMusic("A.WAV"), inMusic("c.rmi")}));
}

void TestMainWindowDragDrop::aQueueEntryDroppedOnTheFileListIsRemovedAfterTheWait()
{
    m_rig->form.queue().cmdQAll_Click();
    // The window goes on handling events during the wait, with the drag already over.
    std::vector<std::string> duringTheWait;
    QString pointerDuringTheWait;
    bool grabbedDuringTheWait = true;
    QTimer::singleShot(100, this, [&] {
        duringTheWait = queue();
        pointerDuringTheWait = pointer();
        grabbedDuringTheWait = QWidget::mouseGrabber() != nullptr;
    });
    drag(entryOf("lstMusicQ", 1), centreOf("File1"));
    QCOMPARE(duringTheWait.size(), std::size_t(3));
    QCOMPARE(pointerDuringTheWait, QStringLiteral("none"));
    QVERIFY(!grabbedDuringTheWait);
    QCOMPARE(queue(), std::vector<std::string>({inMusic("A.WAV"), inMusic("c.rmi")}));

    // The window takes the next drag as usual.
    drag(entryOf("lstMusicQ", 0), entryOf("File1", 1));
    QCOMPARE(queue(), std::vector<std::string>{inMusic("c.rmi")});
}

void TestMainWindowDragDrop::dropsOnTheDraggedListOrElsewhereChangeNothing()
{
    m_rig->form.queue().cmdQAll_Click();
    const std::vector<std::string> all = queue();
    m_rig->media.commands.clear();

    drag(entryOf("File1", 1), entryOf("File1", 2));
    drag(entryOf("lstMusicQ", 1), entryOf("lstMusicQ", 2));
    drag(entryOf("File1", 0), centreOf("Dir1"));
    drag(entryOf("lstMusicQ", 0), centreOf("Gauge1"));
    drag(entryOf("File1", 0), gap());
    QCOMPARE(queue(), all);
    QVERIFY(m_rig->media.commands.empty());
    QCOMPARE(pointer(), QStringLiteral("none"));
}

void TestMainWindowDragDrop::onlyTheLeftButtonMovedFarEnoughOverANonEmptyListDrags()
{
    const QPoint file = entryOf("File1", 1);
    const QPoint queueCentre = centreOf("lstMusicQ");

    // The right button, and the left and right together.
    press(file, Qt::RightButton);
    moveTo(file + farEnough());
    QCOMPARE(pointer(), QStringLiteral("none"));
    moveTo(queueCentre);
    release(queueCentre, Qt::RightButton);
    press(file);
    press(file, Qt::RightButton);
    moveTo(file + farEnough());
    QCOMPARE(pointer(), QStringLiteral("none"));
    release(file + farEnough(), Qt::RightButton);
    release(file + farEnough());
    QVERIFY(queue().empty());

    // A pointer that trembles in a click drags nothing; one that goes on does.
    press(file);
    moveTo(file + QPoint(2, 1));
    QCOMPARE(pointer(), QStringLiteral("none"));
    moveTo(file + farEnough());
    QCOMPARE(pointer(), QStringLiteral("Image2"));
    release(gap());

    // An empty queue, and an empty file list.
    press(queueCentre);
    moveTo(queueCentre + farEnough());
    QCOMPARE(pointer(), QStringLiteral("none"));
    release(queueCentre + farEnough());
    QVERIFY(m_rig->window.Dir1().setPath(m_empty.path().toStdString()));
    QCOMPARE(m_rig->window.File1().count(), 0);
    const QPoint files = centreOf("File1");
    press(files);
    moveTo(files + farEnough());
    QCOMPARE(pointer(), QStringLiteral("none"));
    moveTo(queueCentre);
    release(queueCentre);
    QVERIFY(queue().empty());
}

void TestMainWindowDragDrop::aDoubleClickStillAddsTheFile()
{
    QTest::mouseDClick(m_rig->window.windowHandle(), Qt::LeftButton, {}, entryOf("File1", 1));
    QCOMPARE(queue(), std::vector<std::string>{inMusic("b.mid")});
    QCOMPARE(pointer(), QStringLiteral("none"));
}

void TestMainWindowDragDrop::thePointerShowsTheDraggedListsPictureAsItCrossesTheLists()
{
    m_rig->form.queue().cmdQAll_Click();
    const std::vector<std::string> all = queue();
    QStringList shown;
    const auto visit = [&](QPoint at) {
        moveTo(at);
        shown << pointer();
    };

    // From the file list: the notes, the loudspeaker over the queue, the notes off it.
    const QPoint file = entryOf("File1", 0);
    press(file);
    visit(file + farEnough());
    visit(gap());
    visit(entryOf("lstMusicQ", 0));
    visit(entryOf("lstMusicQ", 1));
    visit(gap());
    visit(entryOf("lstMusicQ", 2));
    visit(entryOf("File1", 1));
    release(entryOf("File1", 1));
    shown << pointer();
    QCOMPARE(shown, QStringList({"Image2", "Image2", "Image3", "Image3", "Image2", "Image3",
                                 "Image2", "none"}));

    // From the queue: the loudspeaker, the notes over the file list, the loudspeaker off it.
    shown.clear();
    const QPoint entry = entryOf("lstMusicQ", 0);
    press(entry);
    visit(entry + farEnough());
    visit(gap());
    visit(entryOf("File1", 0));
    visit(entryOf("File1", 2));
    visit(gap());
    visit(entryOf("File1", 1));
    visit(centreOf("Gauge1"));
    release(centreOf("Gauge1"));
    shown << pointer();
    QCOMPARE(shown, QStringList({"Image3", "Image3", "Image2", "Image2", "Image3", "Image2",
                                 "Image3", "none"}));
    QCOMPARE(queue(), all);
}

QTEST_MAIN(TestMainWindowDragDrop)
#include "tst_mainwindowdragdrop.moc"
