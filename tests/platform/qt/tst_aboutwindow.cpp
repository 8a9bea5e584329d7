#include "app/showabout.h"
#include "platform/qt/aboutwindow.h"
#include "platform/qt/uifonts.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>

using namespace orvane;

namespace {

QWidget* openAboutWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("About") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

} // namespace

class TestAboutWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void controlsHaveTheirPlacesAndFonts_data();
    void controlsHaveTheirPlacesAndFonts();
    void windowIsFixedAndTextsFitTheirLabels();
    void onlyOkTakesTheFocusAndKeysPressIt();
    void showAboutTitlesAndClosesEachTime();
    void negativePlacesAreKept();

private:
    QWidget m_mainWindow;
};

void TestAboutWindow::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPixmap icon(32, 32);
    icon.fill(Qt::transparent);
    QPainter(&icon).drawEllipse(2, 2, 28, 28);
    m_mainWindow.setWindowIcon(QIcon(icon));
}

void TestAboutWindow::controlsHaveTheirPlacesAndFonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QFont>("font");

    QTest::newRow("Command1") << "Command1" << QRect(224, 136, 113, 33) << controlFont();
    QTest::newRow("Label4") << "Label4" << QRect(12, 144, 193, 21) << controlFont();
    QTest::newRow("Label1") << "Label1" << QRect(12, 60, 153, 25) << displayFont();
    QTest::newRow("Label2") << "Label2" << QRect(12, 76, 145, 25) << displayFont();
    QTest::newRow("Label3") << "Label3" << QRect(12, 92, 153, 17) << displayFont();
    QTest::newRow("Shape1") << "Shape1" << QRect(8, 56, 205, 113) << QFont();
    QTest::newRow("Label5") << "Label5" << QRect(12, 128, 161, 21) << controlFont();
    QTest::newRow("Label6") << "Label6" << QRect(12, 108, 145, 17) << displayFont();
    QTest::newRow("Image1") << "Image1" << QRect(8, 8, 329, 40) << QFont();
    QTest::newRow("Version") << "Version" << QRect(224, 108, 113, 17) << controlFont();
    QTest::newRow("Image2") << "Image2" << QRect(264, 64, 32, 32) << QFont();
}

void TestAboutWindow::controlsHaveTheirPlacesAndFonts()
{
    QFETCH(QString, name);
    QFETCH(QRect, place);
    QFETCH(QFont, font);

    AboutWindow window(&m_mainWindow);
    auto* control = window.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->geometry(), place);
    if (font != QFont()) {
        QCOMPARE(control->font().family(), font.family());
        QCOMPARE(control->font().pixelSize(), font.pixelSize());
    }
}

void TestAboutWindow::windowIsFixedAndTextsFitTheirLabels()
{
    AboutWindow window(&m_mainWindow);
    QCOMPARE(window.minimumSize(), QSize(345, 182));
    QCOMPARE(window.maximumSize(), QSize(345, 182));
    QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(window.palette().color(QPalette::Window), QColor(Qt::white));

    for (const char* name : {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6"}) {
        auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
        QVERIFY2(!label->text().isEmpty(), name);
        const QFontMetrics metrics(label->font());
        QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(), name);
        QVERIFY2(metrics.height() <= label->height(), name);
        QVERIFY2(!label->text().contains(QLatin1Char('@')), name);
    }
}

void TestAboutWindow::onlyOkTakesTheFocusAndKeysPressIt()
{
    AboutWindow window(&m_mainWindow);
    int presses = 0;
    window.setCommand1Click([&] { ++presses; });
    auto* ok = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    ok->setFocus();
    QTest::keyClick(ok, Qt::Key_Tab);
    QCOMPARE(window.focusWidget(), ok);
    // Enter, Space, Escape and the close box all press OK.
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Escape})
        QTest::keyClick(ok, key);
    QCOMPARE(presses, 3);
    window.close();
    QCOMPARE(presses, 4);
}

void TestAboutWindow::showAboutTitlesAndClosesEachTime()
{
    QtAboutWindowFactory windows(&m_mainWindow);
    for (int opening = 1; opening <= 2; ++opening) {
        bool checked = false;
        QTimer::singleShot(0, this, [&] {
            auto* about = qobject_cast<AboutWindow*>(openAboutWindow());
            QVERIFY(about);
            QVERIFY(about->isModal());
            QCOMPARE(about->windowTitle(), QStringLiteral("About Vemor's 32-bit Music Player"));
            QCOMPARE(about->versionText(), std::string("Version 2.1"));
            const QPixmap icon = about->findChild<QLabel*>(QStringLiteral("Image2"))->pixmap();
            QCOMPARE(icon.toImage(), m_mainWindow.windowIcon().pixmap(32, 32).toImage());
            if (opening == 1) {
                const QString folder = qEnvironmentVariable(
                    "ORVANE_SCREENSHOT_DIR", QDir::current().filePath("screenshots"));
                QVERIFY(QDir().mkpath(folder));
                QVERIFY(about->grab().save(folder + QStringLiteral("/about.png")));
            }
            checked = true;
            QTest::mouseClick(about->findChild<QPushButton*>(QStringLiteral("Command1")),
                              Qt::LeftButton);
        });
        // Ends a showing that the OK button failed to end, so the test fails instead of hanging.
        QTimer rescue;
        rescue.setSingleShot(true);
        connect(&rescue, &QTimer::timeout, this, [] {
            if (QWidget* about = openAboutWindow())
                about->hide();
        });
        rescue.start(5000);
        ShowAbout(windows);
        QVERIFY(rescue.isActive());
        QVERIFY(checked);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!openAboutWindow());
    }
}

void TestAboutWindow::negativePlacesAreKept()
{
    AboutWindow window(&m_mainWindow);
    window.move(-72.5f, -41.0f);
    QCOMPARE(window.pos(), QPoint(-73, -41));
    window.move(227.5f, 209.0f);
    QCOMPARE(window.pos(), QPoint(227, 209));
}

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
