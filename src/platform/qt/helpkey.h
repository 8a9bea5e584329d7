#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace orvane {

class HelpViewer;

// F1 in a window: the help topic of the control with the focus (or of the nearest control
// around it that has one), else the contents.
class HelpKey : public QObject
{
    Q_OBJECT
public:
    // `showContents` runs when no control around the focus has a topic.
    HelpKey(QWidget& window, HelpViewer& help, std::function<void()> showContents);

private:
    void pressed();

    QWidget& m_window;
    HelpViewer& m_help;
    std::function<void()> m_showContents;
};

// Gives `widget` the help topic `topic` (a topic number of the help file).
void setHelpTopic(QWidget& widget, int topic);

} // namespace orvane
