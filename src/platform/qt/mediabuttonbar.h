#pragma once

#include "platform/transportbuttons.h"

#include <QWidget>
#include <array>

class QToolButton;

namespace orvane {

// The media control's face: four transport buttons, Next, Play, Pause and Stop, sharing its
// width. It takes the focus as one control; Left and Right choose a button, Space or Enter
// presses it.
class MediaButtonBar : public QWidget
{
    Q_OBJECT
public:
    explicit MediaButtonBar(QWidget* parent = nullptr);

    QToolButton* button(MediaButton which) const;
    // Holds Pause down while the control is paused; a press of Pause alone does not.
    void showPaused(bool paused);

signals:
    void pressed(MediaButton button);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void setCurrentButton(int index);

    std::array<QToolButton*, 4> m_buttons{};
    MediaButton m_current = MediaButton::Next;
    bool m_paused = false;
};

} // namespace orvane
