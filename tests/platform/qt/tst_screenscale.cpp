// The windows on a screen of the device pixel ratio QT_SCALE_FACTOR gives (1, 1.25, 1.5, 2),
// looked at in screenshots from the X server: texts as tall as the ratio makes them, and
// pictures drawn for the screen's pixels rather than doubled.

#include "platform/qt/aboutwindow.h"
#include "platform/qt/icons.h"
#include "platform/qt/orvanestyle.h"
#include "windowrig.h"

#include <QFontDatabase>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QTest>
#include <cmath>
#include <limits>

using namespace orvane;

namespace {

// The screen's pixels under `widget`'s rectangle `area`, as the X server shows them.
QImage screenshot(const QWidget& widget, QRect area)
{
    const QPoint at = widget.mapToGlobal(area.topLeft());
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, at.x(), at.y(), area.width(), area.height())
        .toImage();
}

// How many rows the first run of ink covers, ink being pixels far from the colour of the
// top-left corner: the glyphs' height, not counting an underline below them.
int inkRows(const QImage& image)
{
    const int background = qGray(image.pixel(0, 0));
    auto inked = [&](int y) {
        for (int x = 0; x < image.width(); ++x) {
            if (std::abs(qGray(image.pixel(x, y)) - background) > 96)
                return true;
        }
        return false;
    };
    int y = 0;
    while (y < image.height() && !inked(y))
        ++y;
    const int top = y;
    while (y < image.height() && inked(y))
        ++y;
    return y - top;
}

// The ink of `text` in the bitmap face at 1x, which is what the windows show at a ratio of 1.
int bitmapInkRows(const QString& text, int pixels)
{
    const int id = QFontDatabase::addApplicationFont("/usr/share/wine/fonts/ms_sans_serif.ttf");
    QFont font(QFontDatabase::applicationFontFamilies(id).value(0));
    font.setPixelSize(pixels);
    QImage image(200, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(image.rect(), Qt::AlignLeft | Qt::AlignTop, text);
    painter.end();
    return inkRows(image);
}

// How far, at best, `seen` is from the picture `resource` drawn `size` pixels large at the
// screen's ratio over `seen`'s corner colour: the mean difference per channel, at the offset
// where the picture fits best. Near nothing where the screen shows it drawn for its pixels.
double distanceFromDrawn(const QImage& seen, const QString& resource, int size, qreal ratio)
{
    const int pixels = qRound(size * ratio);
    QImage drawn(pixels, pixels, QImage::Format_RGB32);
    drawn.fill(seen.pixel(0, 0));
    QPainter painter(&drawn);
    QSvgRenderer(resource).render(&painter);
    painter.end();
    double best = std::numeric_limits<double>::max();
    for (int top = 0; top + pixels <= seen.height(); ++top) {
        for (int left = 0; left + pixels <= seen.width(); ++left) {
            double sum = 0;
            for (int y = 0; y < pixels; ++y) {
                for (int x = 0; x < pixels; ++x) {
                    const QRgb a = seen.pixel(left + x, top + y);
                    const QRgb b = drawn.pixel(x, y);
                    sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                           std::abs(qBlue(a) - qBlue(b));
                }
            }
            best = std::min(best, sum / (3.0 * pixels * pixels));
        }
    }
    return best;
}

// The sizes of the icons the window offers the window manager, in pixels.
QList<int> offeredIconSizes(const QWidget& window)
{
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(window.winId()), "_NET_WM_ICON"});
    xprop.waitForFinished(10000);
    QList<int> sizes;
    static const QRegularExpression icon(QStringLiteral("Icon \\((\\d+) x \\d+\\)"));
    for (auto it = icon.globalMatch(QString::fromLatin1(xprop.readAllStandardOutput()));
         it.hasNext();)
        sizes << it.next().captured(1).toInt();
    return sizes;
}

} // namespace

class TestScreenScale : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup() { m_rig.reset(); }
    void textsGrowWithTheRatioAndStillFit();
    void picturesAreDrawnForTheScreensPixels();

private:
    qreal ratio() const { return m_rig->window.devicePixelRatio(); }

    MusicFolder m_music{{"Jazz/", "Blues/", "intro.mid"}};
    std::unique_ptr<WindowRig> m_rig;
};

void TestScreenScale::initTestCase()
{
    applyOrvaneStyle(*qApp);
    if (!QFile::exists("/usr/share/wine/fonts/ms_sans_serif.ttf"))
        QSKIP("the bitmap face (fonts-wine) is not installed");
}

void TestScreenScale::init()
{
    QVERIFY(QDir::setCurrent(QString::fromStdString(m_music.path())));
    m_rig = std::make_unique<WindowRig>();
    m_rig->form.Form_Load();
    m_rig->window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_rig->window));
    QCOMPARE(ratio(), qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble());
}

void TestScreenScale::textsGrowWithTheRatioAndStillFit()
{
    // Captions black on the window, white on the panel and in the About window's display
    // face, each against what the bitmap face draws at 1x: the same at a ratio of 1, grown
    // with the ratio elsewhere. A caption's box may reach under the control below it, which
    // is drawn over it, so only the part above that control is looked at.
    auto check = [this](const QWidget* window, const char* name, const char* below,
                        int bitmapPixels) {
        const auto* label = window->findChild<QLabel*>(name);
        const int bottom = below ? window->findChild<QWidget*>(below)->y() : label->height();
        const QRect area(0, 0, label->width(), std::min(label->height(), bottom - label->y()));
        const int atOne = bitmapInkRows(label->text(), bitmapPixels);
        const int seen = inkRows(screenshot(*label, area));
        const QString why = QString("%1: %2 rows of ink at %3x, %4 at 1x")
                                .arg(label->text())
                                .arg(seen)
                                .arg(ratio())
                                .arg(atOne);
        const bool grown = qFuzzyCompare(ratio(), 1.0)
                               ? seen == atOne
                               : std::abs(seen / (atOne * ratio()) - 1) <= 0.15;
        return grown ? QString() : why + "; ";
    };
    QTest::qWait(200); // the window manager's frame settles
    QString wrong = check(&m_rig->window, "Label7", "lstMusicQ", 13) +
                    check(&m_rig->window, "Label2", "txtPlaying", 13);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    QGuiApplication::primaryScreen()->grabWindow(0).save(
        screenshotPath(qPrintable(QString("window-%1x.png").arg(ratio()))));
    AboutWindow about(&m_rig->window);
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::qWait(200);
    wrong = check(&about, "Label2", nullptr, 16);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));

    // The layout is the designed one, scaled: every caption still fits its box.
    QList<QWidget*> captioned;
    for (const QWidget* window :
         {static_cast<QWidget*>(&m_rig->window), static_cast<QWidget*>(&about)}) {
        for (QLabel* each : window->findChildren<QLabel*>())
            captioned << each;
        for (QPushButton* each : window->findChildren<QPushButton*>())
            captioned << each;
    }
    for (QWidget* widget : captioned) {
        const QString text = widget->property("text").toString().remove('&');
        const QFontMetrics metrics(widget->font());
        QVERIFY2(metrics.horizontalAdvance(text) <= widget->contentsRect().width() &&
                     metrics.height() <= widget->height(),
                 qPrintable(text));
    }
}

void TestScreenScale::picturesAreDrawnForTheScreensPixels()
{
    // The speaker as the screen shows it, against the same picture drawn for the screen's
    // pixels; one drawn at 1x and enlarged is blocky or blurred.
    QTest::qWait(200); // the window manager's frame settles
    const QWidget* speaker = m_rig->control("imgVolume");
    const double distance = distanceFromDrawn(
        screenshot(*speaker, speaker->rect().adjusted(-4, -4, 4, 4)), icons::kVolume, 32, ratio());
    QVERIFY2(distance < 2,
             qPrintable(QString("%1 from the picture drawn at %2x").arg(distance).arg(ratio())));

    // The window manager is offered an icon for the screen's pixels.
    const QList<int> offered = offeredIconSizes(m_rig->window);
    QVERIFY2(!offered.isEmpty() && offered.constLast() >= 32 * ratio(),
             qPrintable(QString("icons of %1 px").arg(offered.isEmpty() ? 0 : offered.last())));
}

QTEST_MAIN(TestScreenScale)
#include "tst_screenscale.moc"
