#include "platform/qt/mainwindow.h"

#include "model/formmodel.h"
#include "platform/mainwindowevents.h"
#include "platform/qt/drivecombobox.h"
#include "platform/qt/dropdownlist.h"
#include "platform/qt/filelistbox.h"
#include "platform/qt/folderlistbox.h"
#include "platform/qt/gaugewidget.h"
#include "platform/qt/helpkey.h"
#include "platform/qt/icons.h"
#include "platform/qt/imagebox.h"
#include "platform/qt/listbox.h"
#include "platform/qt/listdragtracker.h"
#include "platform/qt/mediabuttonbar.h"
#include "platform/qt/textbox.h"
#include "platform/qt/x11startstate.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QPushButton>
#include <QTextDocument>
#include <QToolTip>
#include <QWindow>
#include <utility>

namespace orvane {

namespace {

constexpr int kIconPixels = 32;
constexpr int kVolumeNoteMilliseconds = 5000;

} // namespace

MainWindow::MainWindow(HelpViewer& help, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      m_help(help)
{
    setObjectName(QStringLiteral("frmOrvane"));
    setWindowIcon(iconOf(icons::kWindow, kIconPixels));
    new HelpKey(*this, m_help, [this] { fire(&MainWindowEvents::HelpContents_Click); });
}

MainWindow::~MainWindow() = default;

void MainWindow::setVisible(bool visible)
{
    if (visible && m_c.client == nullptr)
        buildControls();
    QMainWindow::setVisible(visible);
}

void MainWindow::buildControls()
{
    m_c = buildMainWindowControls(*this);
    m_dragTracker = new ListDragTracker(*m_c.file1, *m_c.lstMusicQ, m_c.image2->pixmap(),
                                        m_c.image3->pixmap(), this);
    connectEvents();
    bindModel();
    m_c.mmControl1->showPaused(m_paused);
    // Neither resizable nor maximisable: the window keeps the size of its client and menu.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

template <typename Handler, typename... Arguments>
void MainWindow::fire(Handler handler, Arguments... arguments)
{
    if (m_events != nullptr)
        (m_events->*handler)(arguments...);
}

void MainWindow::connectEvents()
{
    using E = MainWindowEvents;
    const auto on = [this](auto* sender, auto signal, void (E::*handler)()) {
        connect(sender, signal, this, [this, handler] { fire(handler); });
    };
    connect(m_c.drive1, &DriveComboBox::picked, this,
            [this](const QByteArray& drive) { fire(&E::Drive1_Pick, drive.toStdString()); });
    connect(m_c.dir1, &FolderListBox::openRequested, this,
            [this](const QByteArray& path) { fire(&E::Dir1_Open, path.toStdString()); });
    connect(m_c.cboFileType, &DropDownList::picked, this,
            [this](int index) { fire(&E::cboFileType_Pick, index); });
    connect(m_c.file1, &FileListBox::selected, this,
            [this](int row) { fire(&E::File1_Select, row); });
    on(m_c.file1, &FileListBox::dblClicked, &E::File1_DblClick);
    connect(m_c.file1, &FileListBox::keyPressed, this,
            [this](int key) { fire(&E::File1_KeyPress, key); });
    connect(m_c.lstMusicQ, &ListBox::selected, this,
            [this](int row) { fire(&E::lstMusicQ_Select, row); });
    on(m_c.lstMusicQ, &ListBox::dblClicked, &E::lstMusicQ_DblClick);
    connect(m_c.lstMusicQ, &ListBox::keyDown, this,
            [this](int key) { fire(&E::lstMusicQ_KeyDown, key); });
    on(m_c.cmdQAll, &QPushButton::clicked, &E::cmdQAll_Click);
    on(m_c.cmdRnd, &QPushButton::clicked, &E::cmdRnd_Click);
    on(m_c.cmdClear, &QPushButton::clicked, &E::cmdClear_Click);
    on(m_c.cmdExit, &QPushButton::clicked, &E::cmdExit_Click);
    on(m_c.imgVolume, &ImageBox::clicked, &E::imgVolume_Click);
    connect(m_c.mmControl1, &MediaButtonBar::pressed, this,
            [this](MediaButton button) { fire(&E::MMControl1_ButtonPress, button); });
    on(m_c.play, &QAction::triggered, &E::play_Click);
    on(m_c.clear, &QAction::triggered, &E::clear_Click);
    on(m_c.random, &QAction::triggered, &E::random_Click);
    on(m_c.queue, &QAction::triggered, &E::queue_Click);
    on(m_c.exit, &QAction::triggered, &E::exit_Click);
    on(m_c.helpContents, &QAction::triggered, &E::HelpContents_Click);
    on(m_c.helpAbout, &QAction::triggered, &E::HelpAbout_Click);

    connect(m_dragTracker, &ListDragTracker::mouseMoved, this, [this](DragList list, int buttons) {
        fire(list == DragList::File1 ? &E::File1_MouseMove : &E::lstMusicQ_MouseMove, buttons);
    });
    connect(m_dragTracker, &ListDragTracker::dragOver, this,
            [this](DragList target, DragList source, int state) {
                fire(target == DragList::File1 ? &E::File1_DragOver : &E::lstMusicQ_DragOver,
                     source, state);
            });
    connect(
        m_dragTracker, &ListDragTracker::dropped, this, [this](DragList target, DragList source) {
            fire(target == DragList::File1 ? &E::File1_DragDrop : &E::lstMusicQ_DragDrop, source);
        });
}

void MainWindow::setModel(FormModel* model)
{
    m_model = model;
    if (m_c.client != nullptr)
        bindModel();
}

void MainWindow::bindModel()
{
    FormModel* const model = m_model;
    m_c.txtLength->bind(model ? &model->txtLength : nullptr);
    m_c.txtPlaying->bind(model ? &model->txtPlaying : nullptr);
    m_c.file1->bind(model ? &model->File1 : nullptr);
    m_c.lstMusicQ->bind(model ? &model->lstMusicQ : nullptr);
    m_c.cboFileType->bind(model ? &model->cboFileType : nullptr);
    m_c.drive1->bind(model ? &model->Drive1 : nullptr);
    m_c.dir1->bind(model ? &model->Dir1 : nullptr);
    m_c.gauge1->bind(model ? &model->Gauge1 : nullptr);
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
    return m_minimiseOnceExposed || QWidget::windowState().testFlag(Qt::WindowMinimized)
               ? WindowState::Minimized
               : WindowState::Normal;
}

void MainWindow::setWindowState(WindowState state)
{
    // Before the first show this is the state the window is shown in: on X11 through the
    // start state hint. A Wayland compositor ignores a request to minimise a window it has not
    // mapped, so there the request waits for the first frame. Elsewhere Qt keeps the state.
    if (state == WindowState::Minimized && !isVisible()) {
        if (requestIconicStart(*this))
            return;
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
            m_minimiseOnceExposed = true;
            return;
        }
    }
    m_minimiseOnceExposed = false;
    QWidget::setWindowState(state == WindowState::Minimized ? Qt::WindowMinimized
                                                            : Qt::WindowNoState);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_minimiseOnceExposed)
        windowHandle()->installEventFilter(this);
    if (!m_pendingNote.empty())
        QMetaObject::invokeMethod(
            this, [this] { showVolumeNote(std::exchange(m_pendingNote, {})); },
            Qt::QueuedConnection);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose &&
        windowHandle()->isExposed()) {
        windowHandle()->removeEventFilter(this);
        // Queued: the first frame goes out while this event is handled.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!std::exchange(m_minimiseOnceExposed, false))
                    return;
                QWidget::setWindowState(Qt::WindowMinimized);
            },
            Qt::QueuedConnection);
    }
    return QMainWindow::eventFilter(watched, event);
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
    // A note from before the first show waits until the window is there to point at.
    if (!isVisible()) {
        m_pendingNote = text;
        return;
    }
    const QPoint below(m_c.imgVolume->width() / 2, m_c.imgVolume->height());
    // As plain text: a file's name may look like markup.
    QToolTip::showText(m_c.imgVolume->mapToGlobal(below),
                       Qt::convertFromPlainText(QString::fromStdString(text), Qt::WhiteSpaceNoWrap),
                       m_c.imgVolume, QRect(), kVolumeNoteMilliseconds);
}

void MainWindow::showPaused(bool paused)
{
    m_paused = paused;
    if (m_c.mmControl1 != nullptr)
        m_c.mmControl1->showPaused(paused);
}

void MainWindow::setDragIcon(DragList list, DragPicture picture)
{
    if (m_dragTracker != nullptr)
        m_dragTracker->setDragIcon(list, picture);
}

void MainWindow::beginDrag(DragList list)
{
    if (m_dragTracker != nullptr)
        m_dragTracker->beginDrag(list);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // However the window is closed, the form unloads once and the program ends.
    event->accept();
    if (m_unloaded)
        return;
    m_unloaded = true;
    fire(&MainWindowEvents::Form_Unload);
    QCoreApplication::quit();
}

} // namespace orvane
