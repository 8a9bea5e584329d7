#pragma once

#include "platform/mainwindowview.h"
#include "platform/qt/mainwindowcontrols.h"

#include <QMainWindow>

namespace orvane {

class HelpViewer;
class ListDragTracker;

// The main window, frmOrvane: a fixed-size window whose controls show the form's model and
// raise the user's input to the window's events. The controls are built when the window is
// first shown, so that a start-up's first track need not wait for them.
class MainWindow : public QMainWindow, public MainWindowView
{
    Q_OBJECT
public:
    // The client area's size in pixels.
    static constexpr QSize kClientSize = MainWindowControls::kClientSize;

    // `help` shows the topics of the controls F1 is pressed on.
    explicit MainWindow(HelpViewer& help, QWidget* parent = nullptr);
    ~MainWindow() override;

    void setEvents(MainWindowEvents* events) override { m_events = events; }
    void setModel(FormModel* model) override;
    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    WindowState windowState() const override;
    void setWindowState(WindowState state) override;
    void beep() override;
    void unload() override;
    void showVolumeNote(const std::string& text) override;
    void setDragIcon(DragList list, DragPicture picture) override;
    void beginDrag(DragList list) override;

    // Shows the media control paused, or not.
    void showPaused(bool paused);

    // The client area, which holds every control; null until the window is first shown.
    QWidget* clientArea() const { return m_c.client; }

    void setVisible(bool visible) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectEvents();
    void bindModel();
    // Runs `handler` of the events with `arguments`, when there are events.
    template <typename Handler, typename... Arguments>
    void fire(Handler handler, Arguments... arguments);

    HelpViewer& m_help;
    MainWindowEvents* m_events = nullptr;
    MainWindowControls m_c;
    ListDragTracker* m_dragTracker = nullptr;
    FormModel* m_model = nullptr;
    bool m_paused = false;
    std::string m_pendingNote; // a note given before the first show
    bool m_unloaded = false;
    bool m_minimiseOnceExposed = false; // on Wayland, asked for before the window was mapped
};

} // namespace orvane
