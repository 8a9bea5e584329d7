#include "platform/qt/flatlook.h"

#include "platform/qt/icons.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>

namespace orvane {

void makeFlat(QAbstractItemView& view)
{
    view.setFrameShape(QFrame::Box);
    view.setFrameShadow(QFrame::Plain);
    view.setLineWidth(1);
    QPalette palette = view.palette();
    palette.setColor(QPalette::WindowText, Qt::black); // the border
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    view.setPalette(palette);
}

void makeFlat(QComboBox& combo)
{
    registerPictures();
    combo.setStyleSheet(QStringLiteral(
        "QComboBox { border: 1px solid black; background: white; color: black;"
        " padding: 0px 2px; }"
        "QComboBox::drop-down { subcontrol-origin: border; subcontrol-position: top right;"
        " width: 16px; border-left: 1px solid black; background: rgb(192, 192, 192); }"
        "QComboBox::down-arrow { image: url(:/icons/combo-arrow.png); }"));
}

void makeFlat(QLineEdit& edit)
{
    edit.setStyleSheet(
        QStringLiteral("QLineEdit { border: 1px solid black; background: white; color: black;"
                       " padding: 0px 1px; }"));
}

} // namespace orvane
