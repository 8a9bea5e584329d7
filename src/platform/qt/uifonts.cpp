#include "platform/qt/uifonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace orvane {

namespace {

// Debian's fonts-wine ships "MS Sans Serif" as bitmap strikes of 13, 16 and 20 pixels;
// fontconfig does not index it, so the program adds it itself.
constexpr const char* kMsSansSerifFile = "/usr/share/wine/fonts/ms_sans_serif.ttf";

// Pixel heights at 96 dpi of the bitmap font's strikes for 8.25 pt and 9.75 pt. Qt registers
// only the file's first strike, so both draw with the 13-pixel one.
constexpr int kBitmapControlPixels = 13;
constexpr int kBitmapDisplayPixels = 16;

// What the 13-pixel strike draws: capitals 9 pixels tall, and this sample 303 pixels wide.
constexpr qreal kBitmapCapHeight = 9;
constexpr qreal kBitmapSampleWidth = 303;
constexpr const char* kSample = "Music Queue: Queue All Random Play Playing: Length File Type";

// Scalable faces drawn like the bitmap one, the closest first; else the platform's sans.
constexpr const char* kScalableFamilies[] = {"Liberation Sans", "Arimo", "Nimbus Sans", "FreeSans",
                                             "DejaVu Sans"};

const QString& msSansSerifFamily()
{
    static const QString family = [] {
        if (!QFile::exists(QString::fromLatin1(kMsSansSerifFile)))
            return QString();
        const int id = QFontDatabase::addApplicationFont(QString::fromLatin1(kMsSansSerifFile));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QString() : families.first();
    }();
    return family;
}

QFont bitmapFont(int pixels)
{
    QFont font(msSansSerifFamily());
    font.setPixelSize(pixels);
    font.setWeight(QFont::Normal);
    // The strikes are drawn as they are; smoothing would only blur them.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QFont scalableFamilyFont()
{
    for (const char* family : kScalableFamilies) {
        const QString name = QString::fromLatin1(family);
        if (QFontDatabase::hasFamily(name) && QFontDatabase::isSmoothlyScalable(name))
            return QFont(name);
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

// The scalable face at the size that draws capitals as tall as the bitmap strike does, unless
// that makes text more than a little wider than the strike's: the captions' boxes are sized
// for it.
QFont scalableFont()
{
    constexpr qreal kWiderAtMost = 1.15;
    constexpr int kProbePixels = 200;
    QFont font = scalableFamilyFont();
    font.setPixelSize(kProbePixels);
    font.setWeight(QFont::Normal);
    const QFontMetricsF probe(font);
    const qreal forCapitals = kBitmapCapHeight * kProbePixels / probe.capHeight();
    const qreal forWidth = kWiderAtMost * kBitmapSampleWidth * kProbePixels /
                           probe.horizontalAdvance(QString::fromLatin1(kSample));
    font.setPixelSize(static_cast<int>(std::lround(std::min(forCapitals, forWidth))));
    return font;
}

struct Faces
{
    QFont control;
    QFont display;
};

Faces chooseFaces()
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    if (!msSansSerifFamily().isEmpty() && qFuzzyCompare(ratio, 1.0))
        return {bitmapFont(kBitmapControlPixels), bitmapFont(kBitmapDisplayPixels)};
    const QFont scalable = scalableFont();
    return {scalable, scalable};
}

const Faces& faces()
{
    static const Faces chosen = chooseFaces();
    return chosen;
}

} // namespace

QFont controlFont()
{
    return faces().control;
}

QFont displayFont()
{
    return faces().display;
}

} // namespace orvane
