#include "platform/qt/uifonts.h"

#include <QFile>
#include <QFontDatabase>
#include <QStringList>

namespace orvane {

namespace {

// Debian's fonts-wine ships "MS Sans Serif" as bitmap strikes of 13, 16 and 20 pixels;
// fontconfig does not index it, so the program adds it itself.
constexpr const char* kMsSansSerifFile = "/usr/share/wine/fonts/ms_sans_serif.ttf";

// Pixel heights at 96 dpi: the bitmap font's strikes for 8.25 pt and 9.75 pt, and the em
// sizes of the same point sizes for a scalable font.
constexpr int kBitmapControlPixels = 13;
constexpr int kBitmapDisplayPixels = 16;
constexpr int kScalableControlPixels = 11;
constexpr int kScalableDisplayPixels = 13;

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

QFont fontOfPixels(int bitmapPixels, int scalablePixels)
{
    const QString& family = msSansSerifFamily();
    QFont font =
        family.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont) : QFont(family);
    font.setPixelSize(family.isEmpty() ? scalablePixels : bitmapPixels);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

} // namespace

QFont controlFont()
{
    return fontOfPixels(kBitmapControlPixels, kScalableControlPixels);
}

QFont displayFont()
{
    return fontOfPixels(kBitmapDisplayPixels, kScalableDisplayPixels);
}

} // namespace orvane
