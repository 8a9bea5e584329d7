#pragma once

#include "platform/mainwindowview.h"
#include "platform/qt/mainwindowcontrols.h"

#include <QMainWindow>

namespace orvane {

class ListDragTracker;
class Volumes;

// The main window, frmOrvane: a fixed-size window whose controls raise their events to the
// window's events and show what the handlers set.
class MainWindow : public QMainWindow, public MainWindowView
{
    Q_OBJECT
public:
    // The client area's size in pixels.
    static constexpr QSize kClientSize = MainWindowControls::kClientSize;

    MainWindow(MediaControl& media, HelpViewer& help, const Volumes& volumes,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    void setEvents(MainWindowEvents* events) override { m_events = events; }
    TextControl& txtLength() override;
    TextControl& txtPlaying() override;
    FileListControl& File1() override;
    ListControl& lstMusicQ() override;
    ComboControl& cboFileType() override;
    DriveListControl& Drive1() override;
    FolderListControl& Dir1() override;
    GaugeControl& Gauge1() override;
    MediaControl& MMControl1() override { return m_media; }
    HelpViewer& CommonDialog1() override { return m_help; }

    std::string caption() const override;
    void setCaption(const std::string& caption) override;
    WindowState windowState() const override;
    void setWindowState(WindowState state) override;
    void beep() override;
    void unload() override;
    void showVolumeNote(const std::string& text) override;
    void setDragIcon(DragList list, DragPicture picture) override;
    void beginDrag(DragList list) override;

    // The client area, which holds every control.
    QWidget* clientArea() const { return m_c.client; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void connectEvents();
    // Runs `handler` of the events with `arguments`, when there are events.
    template <typename Handler, typename... Arguments>
    void fire(Handler handler, Arguments... arguments);

    MediaControl& m_media;
    HelpViewer& m_help;
    MainWindowEvents* m_events = nullptr;
    MainWindowControls m_c;
    ListDragTracker* m_dragTracker = nullptr;
    bool m_unloaded = false;
};

} // namespace orvane
