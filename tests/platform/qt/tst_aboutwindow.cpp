// The About window as the window manager frames it.

#include "app/showabout.h"
#include "platform/qt/aboutwindow.h"
#include "windowrig.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QTest>
#include <QTimer>

using namespace orvane;

class TestAboutWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void theFixedWindowsTextsFitAndOnlyOkTakesTheKeys();
    void showAboutCentresTheFrameAndClosesEachTime();

private:
    static QWidget* openAbout()
    {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->objectName() == QLatin1String("About") && widget->isVisible())
                return widget;
        }
        return nullptr;
    }

    QWidget m_mainWindow;
};

void TestAboutWindow::initTestCase()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QPixmap icon(32, 32);
    icon.fill(Qt::transparent);
    QPainter(&icon).drawEllipse(2, 2, 28, 28);
    m_mainWindow.setWindowIcon(QIcon(icon));
    // Framed by the window manager, as the About window will be.
    m_mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_mainWindow));
    QTRY_VERIFY(m_mainWindow.frameGeometry().top() < m_mainWindow.geometry().top());
}

void TestAboutWindow::theFixedWindowsTextsFitAndOnlyOkTakesTheKeys()
{
    AboutWindow window(&m_mainWindow);
    QCOMPARE(window.minimumSize(), window.maximumSize());
    for (QLabel* label : window.findChildren<QLabel*>()) {
        const QFontMetrics metrics(label->font());
        QVERIFY2(metrics.horizontalAdvance(label->text()) <= label->width(),
                 qPrintable(label->text()));
        QVERIFY2(metrics.height() <= label->height() || label->text().isEmpty(),
                 qPrintable(label->text()));
    }

    // Enter, Space, Escape and the close box all press OK, which keeps the focus.
    int presses = 0;
    window.setCommand1Click([&] { ++presses; });
    auto* ok = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(XInput(window).key("Tab").key("Return").key("space").key("Escape").run());
    QTRY_COMPARE(presses, 3);
    QCOMPARE(window.focusWidget(), ok);
    window.close();
    QCOMPARE(presses, 4);
}

void TestAboutWindow::showAboutCentresTheFrameAndClosesEachTime()
{
    QtAboutWindowFactory windows(&m_mainWindow);
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
            QCOMPARE(icon.toImage(), m_mainWindow.windowIcon().pixmap(32, 32).toImage());
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

QTEST_MAIN(TestAboutWindow)
#include "tst_aboutwindow.moc"
