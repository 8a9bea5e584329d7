#include "platform/qt/helpwindow.h"

#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace orvane {

namespace {

// Far more than the help will ever be; a bigger file is not ours.
constexpr qint64 kLargestHelpFile = 4 * 1024 * 1024;

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Orvane Help"));
    // Help left open must not keep the program running once the main window has gone.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(560, 460);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenLinks(true);
    m_browser->setOpenExternalLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
}

void HelpWindow::setHelpFile(const std::string& path)
{
    m_helpFile = QString::fromStdString(path);
}

std::string HelpWindow::helpFile() const
{
    return m_helpFile.toStdString();
}

void HelpWindow::setHelpCommand(int command)
{
    m_helpCommand = command;
}

int HelpWindow::helpCommand() const
{
    return m_helpCommand;
}

void HelpWindow::showHelp()
{
    open(QString());
}

void HelpWindow::showTopic(int topic)
{
    open(topicAnchor(topic));
}

QString HelpWindow::topicAnchor(int topic)
{
    return QStringLiteral("topic-%1").arg(topic);
}

void HelpWindow::open(const QString& anchor)
{
    // Read afresh each time, so a help file installed or fixed meanwhile is picked up.
    const QFileInfo info(m_helpFile);
    QFile file(m_helpFile);
    if (m_helpFile.isEmpty() || !info.exists())
        showProblem(QStringLiteral("The help file was not found."));
    else if (!info.isFile() || info.size() > kLargestHelpFile)
        showProblem(QStringLiteral("This is not the program's help file."));
    else if (!file.open(QIODevice::ReadOnly))
        showProblem(QStringLiteral("The help file could not be read."));
    else
        m_browser->setHtml(QString::fromUtf8(file.readAll()));

    show();
    raise();
    activateWindow();
    m_browser->verticalScrollBar()->setValue(0);
    if (!anchor.isEmpty())
        m_browser->scrollToAnchor(anchor);
}

void HelpWindow::showProblem(const QString& problem)
{
    const QString looked = m_helpFile.isEmpty() ? QStringLiteral("(no help file was set)")
                                                : m_helpFile.toHtmlEscaped();
    m_browser->setHtml(QStringLiteral("<h2>Help is not available</h2><p>%1</p>"
                                      "<p>Looked for: <b>%2</b></p>")
                           .arg(problem, looked));
}

} // namespace orvane
