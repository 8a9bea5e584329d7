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
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()))
        return;
    // Taken here: passed on to the window, the release would close at once a note that the
    // click opened (a tooltip closes on any mouse button event).
    event->accept();
    emit clicked();
}

} // namespace orvane
