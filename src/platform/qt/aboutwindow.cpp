#include "platform/qt/aboutwindow.h"

#include "platform/qt/twips.h"
#include "platform/qt/uifonts.h"

#include <QApplication>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <cmath>

namespace orvane {

namespace {

const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);

QLabel* addLabel(QWidget* parent, const char* name, const QRect& place, const QString& text,
                 const QFont& font, const QColor& colour, Qt::Alignment alignment = Qt::AlignLeft)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    label->setFont(font);
    label->setAlignment(alignment | Qt::AlignTop);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

// Our own banner: the program's name beside a few notes on a stave, in the main window's teal.
QPixmap bannerPicture()
{
    constexpr int kWidth = 329;
    constexpr int kHeight = 40;
    // Drawn at the screens' ratio, so that it is as sharp as the text around it.
    const qreal ratio = qGuiApp->devicePixelRatio();
    QPixmap banner(QSize(kWidth, kHeight) * ratio);
    banner.setDevicePixelRatio(ratio);
    QPainter painter(&banner);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient background(0, 0, kWidth, 0);
    background.setColorAt(0, QColor(0, 96, 96));
    background.setColorAt(1, QColor(0, 192, 192));
    painter.fillRect(QRect(0, 0, kWidth, kHeight), background);

    painter.setPen(QPen(QColor(255, 255, 255, 110), 1));
    for (int line = 0; line < 5; ++line) {
        const qreal y = 12.5 + line * 4;
        painter.drawLine(QPointF(150, y), QPointF(320, y));
    }
    painter.setPen(QPen(Qt::white, 1.2));
    painter.setBrush(Qt::white);
    const QPointF heads[] = {{172, 26.5}, {198, 22.5}, {224, 18.5},
                             {250, 24.5}, {276, 16.5}, {302, 20.5}};
    for (const QPointF& head : heads) {
        painter.save();
        painter.translate(head);
        painter.rotate(-20);
        painter.drawEllipse(QPointF(0, 0), 3.4, 2.4);
        painter.restore();
        painter.drawLine(head + QPointF(3, -1), head + QPointF(3, -13));
    }

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setStyleHint(QFont::SansSerif);
    title.setPixelSize(24);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(QColor(0, 64, 64));
    painter.drawText(QRect(13, 1, 140, 40), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Orvane"));
    painter.setPen(Qt::white);
    painter.drawText(QRect(12, 0, 140, 40), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("Orvane"));
    return banner;
}

} // namespace

AboutWindow::AboutWindow(const QWidget* mainWindow)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("About"));
    setWindowTitle(QStringLiteral("Caption"));
    setFixedSize(345, 182);
    QFont bold = controlFont();
    bold.setBold(true);
    setFont(bold);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);
    setAutoFillBackground(true);

    // The frame lies behind the labels it holds.
    auto* shape1 = new QFrame(this);
    shape1->setObjectName(QStringLiteral("Shape1"));
    shape1->setGeometry(fromTwips(120, 840, 3075, 1695));
    shape1->setFrameStyle(QFrame::Box | QFrame::Plain);
    shape1->setLineWidth(1);
    QPalette outline = shape1->palette();
    outline.setColor(QPalette::WindowText, Qt::black);
    shape1->setPalette(outline);

    m_command1 = new QPushButton(QStringLiteral("OK"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setGeometry(fromTwips(3360, 2040, 1695, 495));
    m_command1->setFont(controlFont());
    m_command1->setDefault(true);
    connect(m_command1, &QPushButton::clicked, this, [this] {
        if (m_command1Click)
            m_command1Click();
    });

    addLabel(this, "Label4", fromTwips(180, 2160, 2895, 315),
             QStringLiteral("Built with Qt, FluidSynth, SDL2"), controlFont(), kNavy);
    addLabel(this, "Label1", fromTwips(180, 900, 2295, 375),
             QStringLiteral("\u00a9 2026 Orvane team"), displayFont(), kNavy);
    addLabel(this, "Label2", fromTwips(180, 1140, 2175, 375), QStringLiteral("A player for MIDI"),
             displayFont(), kNavy);
    addLabel(this, "Label3", fromTwips(180, 1380, 2295, 255), QStringLiteral("and WAV music"),
             displayFont(), kNavy);
    addLabel(this, "Label5", fromTwips(180, 1920, 2415, 315),
             QStringLiteral("Free software, MIT licence"), controlFont(), kNavy);
    addLabel(this, "Label6", fromTwips(180, 1620, 2175, 255), QStringLiteral("Made on Debian"),
             displayFont(), kNavy);

    auto* image1 = new QLabel(this);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(fromTwips(120, 120, 4935, 600));
    image1->setPixmap(bannerPicture());

    m_version = addLabel(this, "Version", fromTwips(3360, 1620, 1695, 255),
                         QStringLiteral("Version 0.1"), controlFont(), kRed, Qt::AlignHCenter);

    m_image2 = new QLabel(this);
    m_image2->setObjectName(QStringLiteral("Image2"));
    m_image2->setGeometry(fromTwips(3960, 960, 480, 480));

    m_command1->setFocus();
}

QMargins AboutWindow::frameMargins() const
{
    const auto marginsOf = [](const QWidget& window) {
        const QRect frame = window.frameGeometry();
        const QRect client = window.geometry();
        return QMargins(client.left() - frame.left(), client.top() - frame.top(),
                        frame.right() - client.right(), frame.bottom() - client.bottom());
    };
    // Until it is shown the window has no frame; the window manager will frame it as it
    // framed the main window, title bar included.
    if (isVisible() || !m_mainWindow)
        return marginsOf(*this);
    return marginsOf(*m_mainWindow);
}

int AboutWindow::width() const
{
    return geometry().width() + frameMargins().left() + frameMargins().right();
}

int AboutWindow::height() const
{
    return geometry().height() + frameMargins().top() + frameMargins().bottom();
}

QRect AboutWindow::screenArea() const
{
    const QScreen* screen = m_mainWindow ? m_mainWindow->screen() : nullptr;
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

int AboutWindow::screenWidth() const
{
    return screenArea().width();
}

int AboutWindow::screenHeight() const
{
    return screenArea().height();
}

void AboutWindow::move(float left, float top)
{
    // Whole pixels at or above and left of the place asked for; negative places are kept.
    // Moving a window places its frame.
    const QPoint origin = screenArea().topLeft();
    QDialog::move(origin.x() + static_cast<int>(std::floor(left)),
                  origin.y() + static_cast<int>(std::floor(top)));
}

std::string AboutWindow::caption() const
{
    return windowTitle().toStdString();
}

void AboutWindow::setCaption(const std::string& caption)
{
    setWindowTitle(QString::fromStdString(caption));
}

std::string AboutWindow::versionText() const
{
    return m_version->text().toStdString();
}

void AboutWindow::setVersionText(const std::string& text)
{
    m_version->setText(QString::fromStdString(text));
}

void AboutWindow::showMainWindowIcon()
{
    const QIcon icon = m_mainWindow ? m_mainWindow->windowIcon() : QApplication::windowIcon();
    m_image2->setPixmap(icon.pixmap(32, 32));
}

void AboutWindow::setCommand1Click(std::function<void()> handler)
{
    m_command1Click = std::move(handler);
}

void AboutWindow::showModal()
{
    exec();
}

void AboutWindow::unload()
{
    done(QDialog::Accepted);
}

void AboutWindow::reject()
{
    if (m_command1Click)
        m_command1->click();
    else
        unload();
}

std::unique_ptr<AboutView> QtAboutWindowFactory::load()
{
    return std::make_unique<AboutWindow>(m_mainWindow.data());
}

} // namespace orvane
