#include "app/showabout.h"
#include "fakes/fakeaboutview.h"

#include <QTest>

using namespace orvane;

class TestAboutForm : public QObject
{
    Q_OBJECT
private slots:
    void eachOpeningIsCentredTitledAndClosedAnew();
    void placesWithoutRoundingOrClamping_data();
    void placesWithoutRoundingOrClamping();
    void windowClosedWithoutOkStillEndsTheShowing();
};

void TestAboutForm::eachOpeningIsCentredTitledAndClosedAnew()
{
    FakeAboutWindowFactory windows;
    ShowAbout(windows);
    ShowAbout(windows);

    QCOMPARE(windows.records.size(), std::size_t(2));
    const std::vector<std::string> expectedCalls{
        "move",      "setVersionText", "setCaption", "showMainWindowIcon",
        "showModal", "unload",         "closed"};
    for (const auto& record : windows.records) {
        QCOMPARE(record->moves, 1);
        QCOMPARE(record->left, 339.5f);
        QCOMPARE(record->top, 293.0f);
        QCOMPARE(record->versionText, std::string("Version 2.1"));
        QCOMPARE(record->caption, std::string("About Vemor's 32-bit Music Player"));
        QVERIFY(record->iconShown);
        // Placed, titled and given the icon before it shows; OK unloads it; then it is gone.
        QCOMPARE(record->calls, expectedCalls);
        QVERIFY(record->destroyed);
    }
}

void TestAboutForm::placesWithoutRoundingOrClamping_data()
{
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<int>("screenHeight");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<float>("left");
    QTest::addColumn<float>("top");

    QTest::newRow("odd differences keep their halves")
        << 1920 << 1081 << 351 << 210 << 784.5f << 435.5f;
    QTest::newRow("screen as big as the window") << 345 << 182 << 345 << 182 << 0.0f << 0.0f;
    QTest::newRow("screen smaller than the window") << 200 << 100 << 345 << 182 << -72.5f << -41.0f;
    QTest::newRow("no screen at all") << 0 << 0 << 345 << 182 << -172.5f << -91.0f;
}

void TestAboutForm::placesWithoutRoundingOrClamping()
{
    QFETCH(int, screenWidth);
    QFETCH(int, screenHeight);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(float, left);
    QFETCH(float, top);

    FakeAboutWindowFactory windows;
    windows.screenWidth = screenWidth;
    windows.screenHeight = screenHeight;
    windows.width = width;
    windows.height = height;
    ShowAbout(windows);

    QCOMPARE(windows.records.front()->left, left);
    QCOMPARE(windows.records.front()->top, top);
}

void TestAboutForm::windowClosedWithoutOkStillEndsTheShowing()
{
    // The close box or Escape ends the modal showing without the OK button's handler.
    FakeAboutWindowFactory windows;
    windows.whileShown = [](FakeAboutView&) {};
    ShowAbout(windows);
    ShowAbout(windows);

    QCOMPARE(windows.records.size(), std::size_t(2));
    for (const auto& record : windows.records) {
        QCOMPARE(record->calls.back(), std::string("closedByPlatform"));
        QVERIFY(record->destroyed);
    }
}

QTEST_GUILESS_MAIN(TestAboutForm)
#include "tst_aboutform.moc"
