#include "platform/qt/imagebox.h"

#include <QMouseEvent>

namespace orvane {

ImageBox::ImageBox(const QPixmap& picture, QWidget* parent) : QLabel(parent)
{
    setPixmap(picture);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
}

void ImageBox::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

} // namespace orvane
