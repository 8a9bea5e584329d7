#include "platform/qt/helpkey.h"

#include "platform/helpviewer.h"

#include <QApplication>
#include <QShortcut>
#include <QWidget>

namespace orvane {

namespace {

constexpr const char* kHelpTopicProperty = "helpTopic";

} // namespace

HelpKey::HelpKey(QWidget& window, HelpViewer& help, std::function<void()> showContents)
    : QObject(&window), m_window(window), m_help(help), m_showContents(std::move(showContents))
{
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), &window);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &HelpKey::pressed);
}

void HelpKey::pressed()
{
    for (QWidget* widget = QApplication::focusWidget(); widget && widget != &m_window;
         widget = widget->parentWidget()) {
        const QVariant topic = widget->property(kHelpTopicProperty);
        if (topic.isValid()) {
            m_help.showTopic(topic.toInt());
            return;
        }
    }
    m_showContents();
}

void setHelpTopic(QWidget& widget, int topic)
{
    widget.setProperty(kHelpTopicProperty, topic);
}

} // namespace orvane
