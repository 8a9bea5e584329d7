#pragma once

#include <QColor>
#include <QWidget>

namespace orvane {

// A filled rectangle with a one-pixel border, drawn behind other controls.
class ShapeWidget : public QWidget
{
    Q_OBJECT
public:
    ShapeWidget(QColor fill, QColor border, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill;
    QColor m_border;
};

} // namespace orvane
