#include "platform/qt/orvanestyle.h"

#include "platform/qt/uifonts.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>

namespace orvane {

void applyOrvaneStyle(QApplication& app)
{
    QStyle* style = QStyleFactory::create(QStringLiteral("Fusion"));
    if (!style)
        return;
    app.setStyle(style);
    app.setPalette(style->standardPalette());
    app.setFont(controlFont());
}

} // namespace orvane
