#include "platform/qt/mainwindow.h"

#include "app/mainform.h"
#include "platform/helpviewer.h"
#include "platform/mediabuttons.h"
#include "platform/qt/drivecombobox.h"
#include "platform/qt/dropdownlist.h"
#include "platform/qt/filelistbox.h"
#include "platform/qt/folderlistbox.h"
#include "platform/qt/gaugewidget.h"
#include "platform/qt/icons.h"
#include "platform/qt/imagebox.h"
#include "platform/qt/listbox.h"
#include "platform/qt/listdragtracker.h"
#include "platform/qt/mediabuttonbar.h"
#include "platform/qt/shapewidget.h"
#include "platform/qt/textbox.h"
#include "platform/qt/uifonts.h"
#include "platform/qt/x11startstate.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QToolTip>

namespace orvane {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kPicturePixels = 32;
constexpr int kVolumeNoteMilliseconds = 5000;
constexpr const char* kHelpTopicProperty = "helpTopic";

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
    widget->setGeometry(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                        height / kTwipsPerPixel);
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
    auto* button = place(new QPushButton(QString::fromLatin1(caption), parent), name, twips.x(),
                         twips.y(), twips.width(), twips.height());
    paintOnStrip(button);
    button->setToolTip(QString::fromLatin1(toolTip));
    button->setAccessibleName(QString::fromLatin1(caption).remove(QLatin1Char('&')));
    button->setAutoDefault(false);
    button->setProperty(kHelpTopicProperty, kButtonTopic);
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

MainWindow::MainWindow(MediaControl& media, HelpViewer& help, const Volumes& volumes,
                       QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      m_media(media), m_help(help)
{
    setObjectName(QStringLiteral("frmOrvane"));
    setWindowTitle(QStringLiteral("Vemor's Music Player"));
    setWindowIcon(iconOf(icons::kWindow, kPicturePixels));

    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("clientArea"));
    m_client->setFixedSize(kClientSize);
    QFont formFont = controlFont();
    formFont.setBold(true);
    m_client->setFont(formFont);
    QPalette palette = m_client->palette();
    palette.setColor(QPalette::Window, kWindowColour);
    palette.setColor(QPalette::WindowText, Qt::black);
    m_client->setPalette(palette);
    m_client->setAutoFillBackground(true);
    setCentralWidget(m_client);

    createControls(volumes);
    createMenus();
    setKeyboardOrder();
    // Neither resizable nor maximisable: the window keeps the size of its client and menu.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls(const Volumes& volumes)
{
    QWidget* client = m_client;
    // Created bottom to top: the rectangles lie behind everything, then labels and pictures,
    // then the controls the user works with.
    place(new ShapeWidget(kStripColour, Qt::black, client), "Shape1", 0, 0, 7935, 375);
    place(new ShapeWidget(kPanelColour, Qt::white, client), "Shape3", 270, 4680, 7215, 855);

    m_imgVolume = place(new ImageBox(renderIcon(icons::kVolume, kPicturePixels), client),
                        "imgVolume", 360, 4860, 480, 480);
    m_imgVolume->setToolTip(QStringLiteral("Volume Control"));
    m_imgVolume->setAccessibleName(QStringLiteral("Volume Control"));
    connect(m_imgVolume, &ImageBox::clicked, this, &MainWindow::volumeClicked);
    label(client, "Label4", "Length (mm:ss):", {5940, 4815, 1380, 255}, Qt::white);
    label(client, "Label6", "Music Files:", {3150, 495, 1575, 255});
    label(client, "Label10", "Progress Chart:", {5430, 3945, 2175, 255});
    m_image2 = place(new ImageBox(renderIcon(icons::kNotes, kPicturePixels), client), "Image2",
                     6360, 6000, 480, 480);
    label(client, "Label9", "List Files of Type:", {2670, 3945, 1815, 255});
    label(client, "Label8", "Drives:", {270, 3945, 1575, 255});
    label(client, "Label7", "Music Queue:", {270, 2415, 1335, 255});
    label(client, "Label5", "Folders:", {240, 495, 975, 255});
    m_image3 = place(new ImageBox(renderIcon(icons::kSpeaker, kPicturePixels), client), "Image3",
                     4920, 6000, 480, 480);
    label(client, "Label2", "Playing:", {1080, 4800, 735, 195}, Qt::white);

    m_txtLength = place(new TextBox(client), "txtLength", 5940, 5040, 1395, 285);
    m_txtLength->setFont(displayFont());
    m_txtLength->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_txtLength->setAccessibleName(QStringLiteral("Length (mm:ss):"));
    m_txtPlaying = place(new TextBox(client), "txtPlaying", 1080, 5040, 4695, 285);
    m_txtPlaying->setFont(displayFont());
    m_txtPlaying->setAccessibleName(QStringLiteral("Playing:"));

    m_file1 = place(new FileListBox(client), "File1", 3180, 750, 4335, 1590);
    m_file1->setAccessibleName(QStringLiteral("Music Files:"));
    m_file1->setProperty(kHelpTopicProperty, kFile1Topic);

    // Placeholders that mark where the help viewer and the scratch list sit, unseen.
    auto* commonDialog = place(new QWidget(client), "CommonDialog1", 4320, 6000, 0, 0);
    commonDialog->hide();
    auto* list2 = place(new QWidget(client), "List2", 5520, 6000, 615, 420);
    list2->setFocusPolicy(Qt::NoFocus);
    list2->hide();

    m_cmdRnd = commandButton(client, "cmdRnd", "&Randomise", "Copies Music Files Randomly",
                             {1200, 0, 1185, 375});
    m_cmdExit = commandButton(client, "cmdExit", "E&xit", "Quit ORVANE", {6645, 0, 1140, 375});
    m_cmdQAll = commandButton(client, "cmdQAll", "&Queue All", "Copies Music Files in Order",
                              {2400, 0, 1140, 375});
    m_cmdClear = commandButton(client, "cmdClear", "&Clear All", "Removes all Music Files",
                               {0, 0, 1185, 375});

    m_lstMusicQ = place(new ListBox(client), "lstMusicQ", 270, 2670, 7215, 1200);
    m_lstMusicQ->setAccessibleName(QStringLiteral("Music Queue:"));
    m_lstMusicQ->setProperty(kHelpTopicProperty, kQueueTopic);

    m_cboFileType = place(new DropDownList(client), "cboFileType", 2670, 4185, 2535, 315);
    m_cboFileType->setAccessibleName(QStringLiteral("List Files of Type:"));

    m_drive1 = place(new DriveComboBox(volumes, client), "Drive1", 270, 4185, 2295, 315);
    m_drive1->setAccessibleName(QStringLiteral("Drives:"));

    m_mmControl1 = place(new MediaButtonBar(client), "MMControl1", 3525, 0, 3120, 375);
    m_mmControl1->setToolTip(QStringLiteral("Controls Playing of Music"));
    m_mmControl1->setAccessibleName(QStringLiteral("Controls Playing of Music"));
    m_mmControl1->setProperty(kHelpTopicProperty, kMediaTopic);
    paintOnStrip(m_mmControl1);

    m_dir1 = place(new FolderListBox(client), "Dir1", 240, 750, 2655, 1440);
    m_dir1->setAccessibleName(QStringLiteral("Folders:"));
    m_dir1->setProperty(kHelpTopicProperty, kDir1Topic);

    m_gauge1 = place(new GaugeWidget(client), "Gauge1", 5430, 4200, 2055, 270);
    m_gauge1->setAccessibleName(QStringLiteral("Progress Chart:"));

    m_dragTracker =
        new ListDragTracker(*m_file1, *m_lstMusicQ, m_image2->pixmap(), m_image3->pixmap(), this);
}

void MainWindow::createMenus()
{
    QMenuBar* bar = menuBar();
    bar->setFont(controlFont());

    QMenu* music = bar->addMenu(QStringLiteral("&Music"));
    music->setObjectName(QStringLiteral("music"));
    m_play = menuItem(music, "play", "&Play");
    separator(music, "d4");
    m_clear = menuItem(music, "clear", "&Clear All");
    m_random = menuItem(music, "random", "Rando&mise");
    m_queue = menuItem(music, "queue", "&Queue All");
    separator(music, "d2");
    m_exit = menuItem(music, "exit", "E&xit");

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help"));
    m_helpContents = menuItem(help, "HelpContents", "&Contents");
    separator(help, "d3");
    m_helpAbout = menuItem(help, "helpabout", "&About Vemor's Music Player");
    connect(m_helpAbout, &QAction::triggered, this, &MainWindow::helpAboutClicked);

    // F1 belongs to "Contents", but the window answers it itself so that a control with a
    // help topic can show that topic; the item's own shortcut works only in its open menu.
    m_helpContents->setShortcut(QKeySequence(Qt::Key_F1));
    m_helpContents->setShortcutContext(Qt::WidgetShortcut);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &MainWindow::showHelpForFocus);
}

void MainWindow::setKeyboardOrder()
{
    QWidget* const order[] = {m_dir1,     m_file1,  m_lstMusicQ, m_drive1,     m_cboFileType,
                              m_cmdClear, m_cmdRnd, m_cmdQAll,   m_mmControl1, m_cmdExit};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    m_dir1->setFocus();
}

void MainWindow::bind(MainForm& form)
{
    m_form = &form;
    m_mediaButtons = std::make_unique<MediaButtons>(m_media, form.player());
    Browser& browser = form.browser();
    QueueBuilder& queue = form.queue();
    Player& player = form.player();

    connect(m_drive1, &DriveComboBox::changed, this, [&browser] { browser.Drive1_Change(); });
    connect(m_dir1, &FolderListBox::changed, this, [&browser] { browser.Dir1_Change(); });
    connect(m_cboFileType, &DropDownList::clicked, this,
            [&browser] { browser.cboFileType_Click(); });
    connect(m_file1, &FileListBox::dblClicked, this, [&queue] { queue.File1_DblClick(); });
    connect(m_file1, &FileListBox::keyPressed, this,
            [&queue](int keyAscii) { queue.File1_KeyPress(keyAscii); });
    connect(m_lstMusicQ, &ListBox::dblClicked, this, [&queue] { queue.lstMusicQ_DblClick(); });
    connect(m_lstMusicQ, &ListBox::keyDown, this,
            [&queue](int keyCode) { queue.lstMusicQ_KeyDown(keyCode); });
    connect(m_cmdQAll, &QPushButton::clicked, this, [&queue] { queue.cmdQAll_Click(); });
    connect(m_cmdRnd, &QPushButton::clicked, this, [&queue] { queue.cmdRnd_Click(); });
    connect(m_cmdClear, &QPushButton::clicked, this, [&queue] { queue.cmdClear_Click(); });
    connect(m_cmdExit, &QPushButton::clicked, this, [&form] { form.cmdExit_Click(); });
    connect(m_mmControl1, &MediaButtonBar::pressed, this,
            [this](MediaButtons::Button button) { m_mediaButtons->press(button); });

    connect(m_play, &QAction::triggered, this, [&player] { player.play_Click(); });
    connect(m_clear, &QAction::triggered, this, [&queue] { queue.clear_Click(); });
    connect(m_random, &QAction::triggered, this, [&queue] { queue.random_Click(); });
    connect(m_queue, &QAction::triggered, this, [&queue] { queue.queue_Click(); });
    connect(m_exit, &QAction::triggered, this, [&form] { form.exit_Click(); });
    connect(m_helpContents, &QAction::triggered, this, [&form] { form.HelpContents_Click(); });
    bindDragDrop(form.dragDrop());
}

void MainWindow::bindDragDrop(DragDrop& dragDrop)
{
    connect(m_dragTracker, &ListDragTracker::mouseMoved, this,
            [&dragDrop](DragList list, int buttons) {
                if (list == DragList::File1)
                    dragDrop.File1_MouseMove(buttons);
                else
                    dragDrop.lstMusicQ_MouseMove(buttons);
            });
    connect(m_dragTracker, &ListDragTracker::dragOver, this,
            [&dragDrop](DragList target, DragList source, int state) {
                if (target == DragList::File1)
                    dragDrop.File1_DragOver(source, state);
                else
                    dragDrop.lstMusicQ_DragOver(source, state);
            });
    connect(m_dragTracker, &ListDragTracker::dropped, this,
            [&dragDrop](DragList target, DragList source) {
                if (target == DragList::File1)
                    dragDrop.File1_DragDrop(source);
                else
                    dragDrop.lstMusicQ_DragDrop(source);
            });
}

TextControl& MainWindow::txtLength()
{
    return *m_txtLength;
}

TextControl& MainWindow::txtPlaying()
{
    return *m_txtPlaying;
}

FileListControl& MainWindow::File1()
{
    return *m_file1;
}

ListControl& MainWindow::lstMusicQ()
{
    return *m_lstMusicQ;
}

ComboControl& MainWindow::cboFileType()
{
    return *m_cboFileType;
}

DriveListControl& MainWindow::Drive1()
{
    return *m_drive1;
}

FolderListControl& MainWindow::Dir1()
{
    return *m_dir1;
}

GaugeControl& MainWindow::Gauge1()
{
    return *m_gauge1;
}

std::string MainWindow::caption() const
{
    return windowTitle().toStdString();
}

void MainWindow::setCaption(const std::string& caption)
{
    setWindowTitle(QString::fromStdString(caption));
}

MainWindowView::WindowState MainWindow::windowState() const
{
    return QWidget::windowState().testFlag(Qt::WindowMinimized) ? WindowState::Minimized
                                                                : WindowState::Normal;
}

void MainWindow::setWindowState(WindowState state)
{
    // Before the first show this is the state the window is shown in: on X11 through the
    // start state hint, elsewhere (Wayland, where the compositor decides) through Qt.
    if (state == WindowState::Minimized && !isVisible() && requestIconicStart(*this))
        return;
    QWidget::setWindowState(state == WindowState::Minimized ? Qt::WindowMinimized
                                                            : Qt::WindowNoState);
}

void MainWindow::beep()
{
    QApplication::beep();
}

void MainWindow::unload()
{
    close();
}

void MainWindow::showVolumeNote(const std::string& text)
{
    const QPoint below(m_imgVolume->width() / 2, m_imgVolume->height());
    QToolTip::showText(m_imgVolume->mapToGlobal(below), QString::fromStdString(text), m_imgVolume,
                       QRect(), kVolumeNoteMilliseconds);
}

void MainWindow::setDragIcon(DragList list, DragPicture picture)
{
    m_dragTracker->setDragIcon(list, picture);
}

void MainWindow::beginDrag(DragList list)
{
    m_dragTracker->beginDrag(list);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // However the window is closed, the form unloads once and the program ends.
    event->accept();
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (m_form)
        m_form->Form_Unload();
    QCoreApplication::quit();
}

void MainWindow::showHelpForFocus()
{
    for (QWidget* widget = QApplication::focusWidget(); widget && widget != this;
         widget = widget->parentWidget()) {
        const QVariant topic = widget->property(kHelpTopicProperty);
        if (topic.isValid()) {
            m_help.showTopic(topic.toInt());
            return;
        }
    }
    if (m_form)
        m_form->HelpContents_Click();
    else
        m_help.showHelp();
}

} // namespace orvane
