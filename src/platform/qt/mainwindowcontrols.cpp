#include "platform/qt/mainwindowcontrols.h"

#include "platform/qt/commandbutton.h"
#include "platform/qt/drivecombobox.h"
#include "platform/qt/dropdownlist.h"
#include "platform/qt/filelistbox.h"
#include "platform/qt/folderlistbox.h"
#include "platform/qt/gaugewidget.h"
#include "platform/qt/helpkey.h"
#include "platform/qt/icons.h"
#include "platform/qt/imagebox.h"
#include "platform/qt/listbox.h"
#include "platform/qt/mediabuttonbar.h"
#include "platform/qt/shapewidget.h"
#include "platform/qt/textbox.h"
#include "platform/qt/twips.h"
#include "platform/qt/uifonts.h"

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>

namespace orvane {

namespace {

constexpr int kPicturePixels = 32;

constexpr QColor kWindowColour{0, 192, 192};
constexpr QColor kPanelColour{0, 128, 128};
constexpr QColor kStripColour{192, 192, 192};

constexpr int kDir1Topic = 1111;
constexpr int kFile1Topic = 2222;
constexpr int kQueueTopic = 3333;
constexpr int kMediaTopic = 4444;
constexpr int kButtonTopic = 5555;

// Places `widget` at a position and size given in twips, names it and gives it its font.
template <typename Widget>
Widget* place(Widget* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(fromTwips(left, top, width, height));
    widget->setFont(controlFont());
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const char* text, QRect twips,
              QColor colour = Qt::black)
{
    auto* caption = place(new QLabel(QString::fromLatin1(text), parent), name, twips.x(), twips.y(),
                          twips.width(), twips.height());
    caption->setTextFormat(Qt::PlainText);
    caption->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // At least a line of its font tall: a scalable face reaches lower than the bitmap one, and
    // its descenders would be cut off.
    caption->resize(caption->width(), std::max(caption->height(), caption->fontMetrics().height()));
    QPalette palette = caption->palette();
    palette.setColor(QPalette::WindowText, colour);
    caption->setPalette(palette);
    return caption;
}

// The style draws a button's bevel from the colour around it: on the strip that is silver,
// not the window's teal.
void paintOnStrip(QWidget* widget)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, kStripColour);
    palette.setColor(QPalette::Button, kStripColour);
    palette.setColor(QPalette::ButtonText, Qt::black);
    widget->setPalette(palette);
}

QPushButton* commandButton(QWidget* parent, const char* name, const char* caption,
                           const char* toolTip, QRect twips)
{
    auto* button = place(new CommandButton(QString::fromLatin1(caption), parent), name, twips.x(),
                         twips.y(), twips.width(), twips.height());
    paintOnStrip(button);
    button->setToolTip(QString::fromLatin1(toolTip));
    button->setAccessibleName(QString::fromLatin1(caption).remove(QLatin1Char('&')));
    setHelpTopic(*button, kButtonTopic);
    return button;
}

QAction* menuItem(QMenu* menu, const char* name, const char* caption)
{
    QAction* action = menu->addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void separator(QMenu* menu, const char* name)
{
    menu->addSeparator()->setObjectName(QString::fromLatin1(name));
}

} // namespace

MainWindowControls buildMainWindowControls(QMainWindow& window)
{
    MainWindowControls c;
    c.client = new QWidget(&window);
    c.client->setObjectName(QStringLiteral("clientArea"));
    c.client->setFixedSize(MainWindowControls::kClientSize);
    QFont formFont = controlFont();
    formFont.setBold(true);
    c.client->setFont(formFont);
    QPalette palette = c.client->palette();
    palette.setColor(QPalette::Window, kWindowColour);
    palette.setColor(QPalette::WindowText, Qt::black);
    c.client->setPalette(palette);
    c.client->setAutoFillBackground(true);
    window.setCentralWidget(c.client);

    QWidget* client = c.client;
    // Created bottom to top: the rectangles lie behind everything, then labels and pictures,
    // then the controls the user works with.
    place(new ShapeWidget(kStripColour, Qt::black, client), "Shape1", 0, 0, 7935, 375);
    place(new ShapeWidget(kPanelColour, Qt::white, client), "Shape3", 270, 4680, 7215, 855);

    c.imgVolume = place(new ImageBox(renderIcon(icons::kVolume, kPicturePixels), client),
                        "imgVolume", 360, 4860, 480, 480);
    c.imgVolume->setToolTip(QStringLiteral("Volume Control"));
    c.imgVolume->setAccessibleName(QStringLiteral("Volume Control"));
    label(client, "Label4", "Length (mm:ss):", {5940, 4815, 1380, 255}, Qt::white);
    label(client, "Label6", "Music Files:", {3150, 495, 1575, 255});
    label(client, "Label10", "Progress Chart:", {5430, 3945, 2175, 255});
    c.image2 = place(new ImageBox(renderIcon(icons::kNotes, kPicturePixels), client), "Image2",
                     6360, 6000, 480, 480);
    label(client, "Label9", "List Files of Type:", {2670, 3945, 1815, 255});
    label(client, "Label8", "Drives:", {270, 3945, 1575, 255});
    label(client, "Label7", "Music Queue:", {270, 2415, 1335, 255});
    label(client, "Label5", "Folders:", {240, 495, 975, 255});
    c.image3 = place(new ImageBox(renderIcon(icons::kSpeaker, kPicturePixels), client), "Image3",
                     4920, 6000, 480, 480);
    label(client, "Label2", "Playing:", {1080, 4800, 735, 195}, Qt::white);

    c.txtLength = place(new TextBox(client), "txtLength", 5940, 5040, 1395, 285);
    c.txtLength->setFont(displayFont());
    c.txtLength->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c.txtLength->setAccessibleName(QStringLiteral("Length (mm:ss):"));
    c.txtPlaying = place(new TextBox(client), "txtPlaying", 1080, 5040, 4695, 285);
    c.txtPlaying->setFont(displayFont());
    c.txtPlaying->setAccessibleName(QStringLiteral("Playing:"));

    c.file1 = place(new FileListBox(client), "File1", 3180, 750, 4335, 1590);
    c.file1->setAccessibleName(QStringLiteral("Music Files:"));
    setHelpTopic(*c.file1, kFile1Topic);

    // Placeholders that mark where the help viewer and the scratch list sit, unseen.
    auto* commonDialog = place(new QWidget(client), "CommonDialog1", 4320, 6000, 0, 0);
    commonDialog->hide();
    auto* list2 = place(new QWidget(client), "List2", 5520, 6000, 615, 420);
    list2->setFocusPolicy(Qt::NoFocus);
    list2->hide();

    c.cmdRnd = commandButton(client, "cmdRnd", "&Randomise", "Copies Music Files Randomly",
                             {1200, 0, 1185, 375});
    c.cmdExit = commandButton(client, "cmdExit", "E&xit", "Quit ORVANE", {6645, 0, 1140, 375});
    c.cmdQAll = commandButton(client, "cmdQAll", "&Queue All", "Copies Music Files in Order",
                              {2400, 0, 1140, 375});
    c.cmdClear = commandButton(client, "cmdClear", "&Clear All", "Removes all Music Files",
                               {0, 0, 1185, 375});

    c.lstMusicQ = place(new ListBox(client), "lstMusicQ", 270, 2670, 7215, 1200);
    c.lstMusicQ->setAccessibleName(QStringLiteral("Music Queue:"));
    setHelpTopic(*c.lstMusicQ, kQueueTopic);

    c.cboFileType = place(new DropDownList(client), "cboFileType", 2670, 4185, 2535, 315);
    c.cboFileType->setAccessibleName(QStringLiteral("List Files of Type:"));

    c.drive1 = place(new DriveComboBox(client), "Drive1", 270, 4185, 2295, 315);
    c.drive1->setAccessibleName(QStringLiteral("Drives:"));

    c.mmControl1 = place(new MediaButtonBar(client), "MMControl1", 3525, 0, 3120, 375);
    c.mmControl1->setToolTip(QStringLiteral("Controls Playing of Music"));
    c.mmControl1->setAccessibleName(QStringLiteral("Controls Playing of Music"));
    setHelpTopic(*c.mmControl1, kMediaTopic);
    paintOnStrip(c.mmControl1);

    c.dir1 = place(new FolderListBox(client), "Dir1", 240, 750, 2655, 1440);
    c.dir1->setAccessibleName(QStringLiteral("Folders:"));
    setHelpTopic(*c.dir1, kDir1Topic);

    c.gauge1 = place(new GaugeWidget(client), "Gauge1", 5430, 4200, 2055, 270);
    c.gauge1->setAccessibleName(QStringLiteral("Progress Chart:"));

    QMenuBar* bar = window.menuBar();
    bar->setFont(controlFont());

    QMenu* music = bar->addMenu(QStringLiteral("&Music"));
    music->setObjectName(QStringLiteral("music"));
    c.play = menuItem(music, "play", "&Play");
    separator(music, "d4");
    c.clear = menuItem(music, "clear", "&Clear All");
    c.random = menuItem(music, "random", "Rando&mise");
    c.queue = menuItem(music, "queue", "&Queue All");
    separator(music, "d2");
    c.exit = menuItem(music, "exit", "E&xit");

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help"));
    c.helpContents = menuItem(help, "HelpContents", "&Contents");
    separator(help, "d3");
    c.helpAbout = menuItem(help, "helpabout", "&About Vemor's Music Player");
    // F1 is the shortcut of "Contents", shown in its menu; the window answers the key itself
    // (HelpKey), so that a control with a help topic can show that topic.
    c.helpContents->setShortcut(QKeySequence(Qt::Key_F1));
    c.helpContents->setShortcutContext(Qt::WidgetShortcut);

    QWidget* const order[] = {c.dir1,     c.file1,  c.lstMusicQ, c.drive1,     c.cboFileType,
                              c.cmdClear, c.cmdRnd, c.cmdQAll,   c.mmControl1, c.cmdExit};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    c.dir1->setFocus();
    return c;
}

} // namespace orvane
