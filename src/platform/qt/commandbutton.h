#pragma once

#include <QPushButton>

namespace orvane {

// A button of the main window: Enter, Return or Space presses it while it has the focus. It is
// never a default button, so Enter elsewhere and Escape press none.
class CommandButton : public QPushButton
{
    Q_OBJECT
public:
    CommandButton(const QString& caption, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace orvane
