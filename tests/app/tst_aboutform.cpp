#include "app/showabout.h"
#include "fakes/fakeaboutview.h"

#include <QTest>

using namespace orvane;

class TestAboutForm : public QObject
{
    Q_OBJECT
private slots:
    void eachOpeningIsCentredTitledAndClosedAnew_data();
    void eachOpeningIsCentredTitledAndClosedAnew();
    void placesWithoutRoundingOrClamping_data();
    void placesWithoutRoundingOrClamping();
};

void TestAboutForm::eachOpeningIsCentredTitledAndClosedAnew_data()
{
    QTest::addColumn<bool>("pressOk");
    QTest::addColumn<QString>("ending");
    QTest::newRow("OK") << true << "unload,closed";
    // The close box or Escape ends the modal showing without the OK button's handler.
    QTest::newRow("closed by the platform") << false << "closedByPlatform";
}

void TestAboutForm::eachOpeningIsCentredTitledAndClosedAnew()
{
    QFETCH(bool, pressOk);
    QFETCH(QString, ending);
    FakeAboutWindowFactory windows;
    if (!pressOk)
        windows.whileShown = [](FakeAboutView&) {};
    ShowAbout(windows);
    ShowAbout(windows);

    QCOMPARE(windows.records.size(), std::size_t(2));
    for (const auto& record : windows.records) {
        QCOMPARE(record->left, 339.5f);
        QCOMPARE(record->top, 293.0f);
        QCOMPARE(record->versionText, std::string("Version 2.1"));
        QCOMPARE(record->caption, std::string("About Vemor's 32-bit Music Player"));
        // Placed, titled and given the icon before it shows; then it is gone.
        QStringList calls;
        for (const std::string& call : record->calls)
            calls << QString::fromStdString(call);
        QCOMPARE(calls.join(','),
                 "move,setVersionText,setCaption,showMainWindowIcon,showModal," + ending);
        QVERIFY(record->destroyed);
    }
}

void TestAboutForm::placesWithoutRoundingOrClamping_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSize>("window");
    QTest::addColumn<QPointF>("place");

    QTest::newRow("odd differences keep their halves")
        << QSize(1920, 1081) << QSize(351, 210) << QPointF(784.5, 435.5);
    QTest::newRow("screen as big as the window") << QSize(345, 182) << QSize(345, 182) << QPointF();
    QTest::newRow("screen smaller than the window")
        << QSize(200, 100) << QSize(345, 182) << QPointF(-72.5, -41);
    QTest::newRow("no screen at all") << QSize(0, 0) << QSize(345, 182) << QPointF(-172.5, -91);
}

void TestAboutForm::placesWithoutRoundingOrClamping()
{
    QFETCH(QSize, screen);
    QFETCH(QSize, window);
    QFETCH(QPointF, place);

    FakeAboutWindowFactory windows;
    windows.screenWidth = screen.width();
    windows.screenHeight = screen.height();
    windows.width = window.width();
    windows.height = window.height();
    ShowAbout(windows);

    QCOMPARE(windows.records.front()->left, static_cast<float>(place.x()));
    QCOMPARE(windows.records.front()->top, static_cast<float>(place.y()));
}

QTEST_GUILESS_MAIN(TestAboutForm)
#include "tst_aboutform.moc"
