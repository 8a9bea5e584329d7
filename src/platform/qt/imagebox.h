#pragma once

#include <QLabel>

namespace orvane {

// A picture shown at its natural size that reports clicks.
class ImageBox : public QLabel
{
    Q_OBJECT
public:
    explicit ImageBox(const QPixmap& picture, QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace orvane
