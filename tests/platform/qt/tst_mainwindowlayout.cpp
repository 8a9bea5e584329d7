// The main window as designed: where every control sits, what it says, the keyboard order,
// the menus, and a screenshot for a person to look at.

#include "platform/qt/gaugewidget.h"
#include "platform/qt/orvanestyle.h"
#include "windowrig.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

using namespace orvane;

namespace {

struct Placement
{
    const char* name;
    int left, top, width, height; // twips, 15 to a pixel
    bool seen;                    // visible on the client area
    const char* toolTip;
    const char* text = ""; // a button's caption or a label's text
};

const Placement kPlacements[] = {
    {"txtLength", 5940, 5040, 1395, 285, true, ""},
    {"txtPlaying", 1080, 5040, 4695, 285, true, ""},
    {"File1", 3180, 750, 4335, 1590, true, ""},
    {"CommonDialog1", 4320, 6000, 0, 0, false, ""},
    {"List2", 5520, 6000, 615, 420, false, ""},
    {"cmdRnd", 1200, 0, 1185, 375, true, "Copies Music Files Randomly", "&Randomise"},
    {"cmdExit", 6645, 0, 1140, 375, true, "Quit ORVANE", "E&xit"},
    {"cmdQAll", 2400, 0, 1140, 375, true, "Copies Music Files in Order", "&Queue All"},
    {"cmdClear", 0, 0, 1185, 375, true, "Removes all Music Files", "&Clear All"},
    {"lstMusicQ", 270, 2670, 7215, 1200, true, ""},
    {"cboFileType", 2670, 4185, 2535, 315, true, ""},
    {"Drive1", 270, 4185, 2295, 315, true, ""},
    {"MMControl1", 3525, 0, 3120, 375, true, "Controls Playing of Music"},
    {"Dir1", 240, 750, 2655, 1440, true, ""},
    {"Gauge1", 5430, 4200, 2055, 270, true, ""},
    {"imgVolume", 360, 4860, 480, 480, true, "Volume Control"},
    {"Label4", 5940, 4815, 1380, 255, true, "", "Length (mm:ss):"},
    {"Label6", 3150, 495, 1575, 255, true, "", "Music Files:"},
    {"Label10", 5430, 3945, 2175, 255, true, "", "Progress Chart:"},
    {"Image2", 6360, 6000, 480, 480, false, ""},
    {"Label9", 2670, 3945, 1815, 255, true, "", "List Files of Type:"},
    {"Label8", 270, 3945, 1575, 255, true, "", "Drives:"},
    {"Label7", 270, 2415, 1335, 255, true, "", "Music Queue:"},
    {"Label5", 240, 495, 975, 255, true, "", "Folders:"},
    {"Image3", 4920, 6000, 480, 480, false, ""},
    {"Label2", 1080, 4800, 735, 195, true, "", "Playing:"},
    {"Shape3", 270, 4680, 7215, 855, true, ""},
    {"Shape1", 0, 0, 7935, 375, true, ""},
};

QRect pixels(const Placement& placement)
{
    return QRect(placement.left / 15, placement.top / 15, placement.width / 15,
                 placement.height / 15);
}

} // namespace

class TestMainWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void controlsSitWhereDesigned_data();
    void controlsSitWhereDesigned();
    void windowHasFixedClientAreaAndNoMaximise();
    void looksAndMenus();
    void tabVisitsTheControlsInOrderAndReturnsToDir1();
    void f1ShowsTheFocusedControlsTopicElseTheContents();
    void screenshot();
    void aQueueEntryShowsItsWholePathWhenPointedAt();

private:
    QWidget* control(const char* name) const { return m_rig->control(name); }

    QTemporaryDir m_music;
    std::unique_ptr<WindowRig> m_rig;
};

void TestMainWindowLayout::initTestCase()
{
    applyOrvaneStyle(*qApp);
    // A folder name long enough that the queue's entries do not fit its width.
    const QString folder =
        m_music.filePath("music from the shelf in the hall, second row from the top");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(makeFiles(folder, {"intro.mid", "Overture.MID", "rain.wav", "waltz.rmi",
                               "ünïcødé ♫.mid", "notes.txt", "Jazz/"}));
    QVERIFY(QDir::setCurrent(folder));
    m_rig = std::make_unique<WindowRig>();
    m_rig->form.Form_Load();
    m_rig->window.show();
    m_rig->window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_rig->window));
}

void TestMainWindowLayout::controlsSitWhereDesigned_data()
{
    QTest::addColumn<int>("row");
    for (std::size_t row = 0; row < std::size(kPlacements); ++row)
        QTest::newRow(kPlacements[row].name) << static_cast<int>(row);
}

void TestMainWindowLayout::controlsSitWhereDesigned()
{
    QFETCH(int, row);
    const Placement& expected = kPlacements[row];
    QWidget* widget = control(expected.name);
    QVERIFY2(widget, expected.name);
    QWidget* client = m_rig->window.clientArea();
    QCOMPARE(widget->parentWidget(), client);
    QCOMPARE(widget->geometry(), pixels(expected));
    const bool seen = widget->isVisibleTo(client) && client->rect().intersects(widget->geometry());
    QCOMPARE(seen, expected.seen);
    QCOMPARE(widget->toolTip(), QString::fromLatin1(expected.toolTip));
    if (*expected.text != '\0')
        QCOMPARE(widget->property("text").toString(), QString::fromLatin1(expected.text));
}

void TestMainWindowLayout::windowHasFixedClientAreaAndNoMaximise()
{
    MainWindow& window = m_rig->window;
    QCOMPARE(window.clientArea()->size(), QSize(518, 386));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(!window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));

    // Asking for a larger window changes nothing.
    window.resize(800, 600);
    QCOMPARE(window.size(), window.minimumSize());
    QCOMPARE(window.clientArea()->size(), QSize(518, 386));
}

void TestMainWindowLayout::looksAndMenus()
{
    MainWindow& window = m_rig->window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Vemor's 32-bit Music Player"));
    QVERIFY(!window.windowIcon().isNull());
    QCOMPARE(window.clientArea()->palette().color(QPalette::Window), QColor(0, 192, 192));

    // The two now-playing boxes use the larger font; every other control the smaller one.
    const int small = control("Dir1")->font().pixelSize();
    QVERIFY(control("txtPlaying")->font().pixelSize() > small);
    QCOMPARE(control("txtLength")->font().pixelSize(), control("txtPlaying")->font().pixelSize());
    for (const char* name : {"File1", "lstMusicQ", "cmdExit", "Label7", "Drive1"})
        QCOMPARE(control(name)->font().pixelSize(), small);
    for (const char* name : {"imgVolume", "Image2", "Image3"})
        QCOMPARE(qobject_cast<QLabel*>(control(name))->pixmap().size(), QSize(32, 32));

    // The rectangles lie behind the controls placed on them.
    const QObjectList stack = window.clientArea()->children();
    for (const char* name : {"cmdClear", "MMControl1", "txtPlaying", "imgVolume", "Label2"}) {
        QVERIFY(stack.indexOf(control("Shape1")) < stack.indexOf(control(name)));
        QVERIFY(stack.indexOf(control("Shape3")) < stack.indexOf(control(name)));
    }

    QStringList menus;
    for (QAction* menu : window.menuBar()->actions()) {
        menus << menu->text();
        for (QAction* item : menu->menu()->actions())
            menus << item->objectName() + '=' + (item->isSeparator() ? "-" : item->text());
    }
    QCOMPARE(menus, QStringList({"&Music", "play=&Play", "d4=-", "clear=&Clear All",
                                 "random=Rando&mise", "queue=&Queue All", "d2=-", "exit=E&xit",
                                 "&Help", "HelpContents=&Contents", "d3=-",
                                 "helpabout=&About Vemor's Music Player"}));
    QCOMPARE(m_rig->control<QAction>("HelpContents")->shortcut(), QKeySequence(Qt::Key_F1));
}

void TestMainWindowLayout::tabVisitsTheControlsInOrderAndReturnsToDir1()
{
    // The window opened with the focus on the folder list.
    QCOMPARE(QApplication::focusWidget(), control("Dir1"));
    QStringList visited;
    for (int press = 0; press < 10; ++press) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(visited, QStringList({"File1", "lstMusicQ", "Drive1", "cboFileType", "cmdClear",
                                   "cmdRnd", "cmdQAll", "MMControl1", "cmdExit", "Dir1"}));
}

void TestMainWindowLayout::f1ShowsTheFocusedControlsTopicElseTheContents()
{
    const std::pair<const char*, int> topics[] = {{"Dir1", 1111},
                                                  {"File1", 2222},
                                                  {"lstMusicQ", 3333},
                                                  {"MMControl1", 4444},
                                                  {"cmdRnd", 5555},
                                                  {"cboFileType", HelpViewer::kHelpContents},
                                                  {"Drive1", HelpViewer::kHelpContents}};
    for (const auto& [name, topic] : topics) {
        m_rig->help.shown.clear();
        control(name)->setFocus();
        QTest::keyClick(control(name), Qt::Key_F1);
        QCOMPARE(m_rig->help.shown, std::vector<int>{topic});
    }
}

void TestMainWindowLayout::screenshot()
{
    // Something on show in every region, as in use.
    MainWindow& window = m_rig->window;
    window.File1().setSelectedIndex(1);
    QTest::mouseClick(control("cmdQAll"), Qt::LeftButton);
    window.lstMusicQ().setSelectedIndex(2);
    window.txtPlaying().setText("intro.mid");
    window.txtLength().setText(" 3:05");
    window.Gauge1().setMaximum(185);
    window.Gauge1().setValue(74);
    QApplication::processEvents();

    const QString folder =
        qEnvironmentVariable("ORVANE_SCREENSHOT_DIR", QDir::current().filePath("screenshots"));
    QVERIFY(QDir().mkpath(folder));
    const QImage shot = window.grab().toImage();
    QVERIFY(shot.save(QDir(folder).filePath(QStringLiteral("mainwindow.png"))));

    // The gauge draws teal on light yellow; the buttons' bevels are grey like the strip's.
    const QPoint gauge = control("Gauge1")->mapTo(&window, QPoint(0, 0));
    QCOMPARE(shot.pixelColor(gauge + QPoint(5, 9)), QColor(0, 128, 128));
    QCOMPARE(shot.pixelColor(gauge + QPoint(130, 9)), QColor(255, 255, 128));
    const QColor bevel = shot.pixelColor(control("cmdRnd")->mapTo(&window, QPoint(0, 12)));
    QVERIFY2(bevel.red() == bevel.green() && bevel.green() == bevel.blue(),
             qPrintable(bevel.name()));

    // Every file has a line as high as the list's font, odd characters or not.
    auto* files = qobject_cast<QListView*>(control("File1"));
    for (int row = 0; row < files->model()->rowCount(); ++row)
        QCOMPARE(files->visualRect(files->model()->index(row, 0)).height(),
                 files->fontMetrics().height());
}

void TestMainWindowLayout::aQueueEntryShowsItsWholePathWhenPointedAt()
{
    auto* queue = qobject_cast<QListView*>(control("lstMusicQ"));
    const QPoint third = queue->visualRect(queue->model()->index(2, 0)).center();
    QVERIFY(XInput(m_rig->window).moveTo(*queue->viewport(), third).run());
    QTRY_COMPARE_WITH_TIMEOUT(QToolTip::text().toStdString(), m_rig->window.lstMusicQ().item(2),
                              10000);
}

QTEST_MAIN(TestMainWindowLayout)
#include "tst_mainwindowlayout.moc"
