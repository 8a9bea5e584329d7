#include "platform/qt/mediabuttonbar.h"

#include "platform/qt/icons.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QToolButton>

namespace orvane {

namespace {

constexpr int kGlyphPixels = 16;

// A transport button that shows the bar's keyboard focus when it is the current one.
class TransportButton : public QToolButton
{
public:
    using QToolButton::QToolButton;

    void setFocusShown(bool shown)
    {
        m_focusShown = shown;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QToolButton::paintEvent(event);
        if (!m_focusShown)
            return;
        QPainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(3, 3, -3, -3);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }

private:
    bool m_focusShown = false;
};

struct ButtonFace
{
    MediaButton button;
    const char* name;
    const QString& icon;
};

TransportButton* transport(QToolButton* button)
{
    return static_cast<TransportButton*>(button);
}

} // namespace

MediaButtonBar::MediaButtonBar(QWidget* parent) : QWidget(parent)
{
    const ButtonFace faces[] = {{MediaButton::Next, "Next", icons::kNext},
                                {MediaButton::Play, "Play", icons::kPlay},
                                {MediaButton::Pause, "Pause", icons::kPause},
                                {MediaButton::Stop, "Stop", icons::kStop}};
    for (const ButtonFace& face : faces) {
        auto* button = new TransportButton(this);
        button->setObjectName(QString::fromLatin1(face.name));
        button->setAccessibleName(QString::fromLatin1(face.name));
        button->setIcon(iconOf(face.icon, kGlyphPixels));
        button->setIconSize(QSize(kGlyphPixels, kGlyphPixels));
        button->setFocusPolicy(Qt::NoFocus);
        const MediaButton which = face.button;
        connect(button, &QToolButton::clicked, this, [this, which] {
            // What the press does to the control decides how Pause looks, not the click.
            showPaused(m_paused);
            emit pressed(which);
        });
        m_buttons[static_cast<std::size_t>(which)] = button;
    }
    button(MediaButton::Pause)->setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
}

void MediaButtonBar::showPaused(bool paused)
{
    m_paused = paused;
    button(MediaButton::Pause)->setChecked(paused);
}

QToolButton* MediaButtonBar::button(MediaButton which) const
{
    return m_buttons[static_cast<std::size_t>(which)];
}

void MediaButtonBar::resizeEvent(QResizeEvent*)
{
    // The buttons share the width; the last one takes what the division leaves over.
    const int count = static_cast<int>(m_buttons.size());
    const int share = width() / count;
    for (int i = 0; i < count; ++i) {
        const int left = i * share;
        const int right = i == count - 1 ? width() : left + share;
        m_buttons[static_cast<std::size_t>(i)]->setGeometry(left, 0, right - left, height());
    }
}

void MediaButtonBar::keyPressEvent(QKeyEvent* event)
{
    const int current = static_cast<int>(m_current);
    switch (event->key()) {
    case Qt::Key_Left:
        setCurrentButton(current - 1);
        break;
    case Qt::Key_Right:
        setCurrentButton(current + 1);
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        button(m_current)->animateClick();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void MediaButtonBar::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    transport(button(m_current))->setFocusShown(true);
}

void MediaButtonBar::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    transport(button(m_current))->setFocusShown(false);
}

void MediaButtonBar::setCurrentButton(int index)
{
    const int count = static_cast<int>(m_buttons.size());
    if (index < 0 || index >= count)
        return;
    transport(button(m_current))->setFocusShown(false);
    m_current = static_cast<MediaButton>(index);
    transport(button(m_current))->setFocusShown(hasFocus());
}

} // namespace orvane
