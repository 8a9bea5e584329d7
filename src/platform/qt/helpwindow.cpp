#include "platform/qt/helpwindow.h"

#include "worker/boundedcall.h"

#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>

namespace orvane {

namespace {

// Far more than the help will ever be; a bigger file is not ours.
constexpr qint64 kLargestHelpFile = 4 * 1024 * 1024;

// The help file's text, or why there is none.
struct HelpText
{
    QByteArray text;
    QString problem;
};

HelpText readHelpFile(const QString& path)
{
    const QFileInfo info(path);
    QFile file(path);
    if (path.isEmpty() || !info.exists())
        return {{}, QStringLiteral("The help file was not found.")};
    if (!info.isFile() || info.size() > kLargestHelpFile)
        return {{}, QStringLiteral("This is not the program's help file.")};
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("The help file could not be read.")};
    return {file.readAll(), {}};
}

// The least the help is shrunk to, to fit beside the main window.
constexpr QSize kSmallestHelp(320, 240);

// Headings in the player's teal and larger than the text, so that a topic is found at a glance.
constexpr const char* kHelpStyle = "h1 { color: #006060; font-size: x-large; }"
                                   "h2 { color: #008080; font-size: large; margin-top: 18px; }"
                                   "h3 { color: #008080; font-size: medium; }";

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Orvane Help"));
    // Help left open must not keep the program running once the main window has gone.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(560, 460);
}

// Built when first opened: most sessions never open the help.
void HelpWindow::build()
{
    m_back = new QPushButton(QStringLiteral("&Back"), this);
    m_back->setObjectName(QStringLiteral("helpBack"));
    m_back->setToolTip(QStringLiteral("Back (Alt+Left)"));
    m_back->setEnabled(false);
    connect(m_back, &QPushButton::clicked, this, &HelpWindow::back);
    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    contents->setObjectName(QStringLiteral("helpContents"));
    connect(contents, &QPushButton::clicked, this, &HelpWindow::showContents);
    auto* backKey = new QShortcut(QKeySequence(Qt::AltModifier | Qt::Key_Left), this);
    connect(backKey, &QShortcut::activated, this, &HelpWindow::back);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    // The program's own font is a bitmap font in two sizes, too few for headings.
    m_browser->setFont(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    m_browser->document()->setDefaultStyleSheet(QString::fromLatin1(kHelpStyle));
    // Links are followed here, so that Back knows the places left.
    m_browser->setOpenLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpWindow::followLink);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(4, 0, 4, 0);
    buttons->addWidget(m_back);
    buttons->addWidget(contents);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 4, 0, 0);
    layout->addLayout(buttons);
    layout->addWidget(m_browser);
}

void HelpWindow::setHelpFile(const std::string& path)
{
    m_helpFile = QString::fromStdString(path);
}

void HelpWindow::setHelpCommand(int command)
{
    m_helpCommand = command;
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
    if (!m_browser)
        build();
    // Opened again while the reader is in it, Back returns to where they were.
    if (isVisible()) {
        leavePlace();
    } else {
        m_places.clear();
        placeBeside();
    }

    // Read afresh each time, so a help file installed or fixed meanwhile is picked up; on a
    // worker, as any file may lie on a disk that does not answer.
    const std::optional<HelpText> help =
        callWithin<HelpText>(kDiskWait, [file = m_helpFile] { return readHelpFile(file); });
    if (!help)
        showProblem(QStringLiteral("The help file could not be read: its disk does not answer."));
    else if (!help->problem.isEmpty())
        showProblem(help->problem);
    else
        m_browser->setHtml(QString::fromUtf8(help->text));

    show();
    raise();
    activateWindow();
    m_browser->verticalScrollBar()->setValue(0);
    if (!anchor.isEmpty())
        m_browser->scrollToAnchor(anchor);
    m_back->setEnabled(!m_places.empty());
}

void HelpWindow::placeBeside()
{
    if (!m_beside || !m_beside->isVisible())
        return;
    // This window's frame is not known before it is first shown: take the main window's.
    const QRect main = m_beside->frameGeometry();
    const QSize frame = main.size() - m_beside->geometry().size();
    const QRect screen = m_beside->screen()->availableGeometry();
    const QSize wanted = size() + frame;
    struct Side
    {
        QRect room;
        QPoint at; // where the window's frame would start, before it is kept inside the room
    };
    // To the right, the left, below and above, in that order of preference.
    const Side sides[] = {
        {QRect(QPoint(main.right() + 1, screen.top()), screen.bottomRight()),
         {main.right() + 1, main.top()}},
        {QRect(screen.topLeft(), QPoint(main.left() - 1, screen.bottom())),
         {main.left() - wanted.width(), main.top()}},
        {QRect(QPoint(screen.left(), main.bottom() + 1), screen.bottomRight()),
         {main.left(), main.bottom() + 1}},
        {QRect(screen.topLeft(), QPoint(screen.right(), main.top() - 1)),
         {main.left(), main.top() - wanted.height()}},
    };
    const auto fits = [](const QRect& room, QSize size) {
        return room.width() >= size.width() && room.height() >= size.height();
    };
    // The first side the window fits whole; else the roomiest where it fits shrunk to a
    // readable size; else over the main window, on the screen.
    const Side* chosen = nullptr;
    for (const Side& side : sides) {
        if (fits(side.room, wanted)) {
            chosen = &side;
            break;
        }
    }
    const auto area = [](const QRect& room) { return qint64(room.width()) * room.height(); };
    if (!chosen) {
        for (const Side& side : sides) {
            if (fits(side.room, kSmallestHelp + frame) &&
                (!chosen || area(side.room) > area(chosen->room)))
                chosen = &side;
        }
    }
    const Side whole{screen, sides[0].at};
    const Side& side = chosen ? *chosen : whole;
    const QSize outer = wanted.boundedTo(side.room.size());
    resize(outer - frame);
    move(std::clamp(side.at.x(), side.room.left(), side.room.right() + 1 - outer.width()),
         std::clamp(side.at.y(), side.room.top(), side.room.bottom() + 1 - outer.height()));
}

void HelpWindow::back()
{
    if (m_places.empty())
        return;
    m_browser->verticalScrollBar()->setValue(m_places.back());
    m_places.pop_back();
    m_back->setEnabled(!m_places.empty());
}

void HelpWindow::showContents()
{
    leavePlace();
    m_browser->verticalScrollBar()->setValue(0);
}

void HelpWindow::followLink(const QUrl& link)
{
    // The help links only to its own places.
    if (!link.isRelative() || !link.path().isEmpty() || !link.hasFragment())
        return;
    leavePlace();
    m_browser->scrollToAnchor(link.fragment());
}

void HelpWindow::leavePlace()
{
    m_places.push_back(m_browser->verticalScrollBar()->value());
    m_back->setEnabled(true);
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
