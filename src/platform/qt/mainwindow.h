#pragma once

#include "platform/mainwindowview.h"
#include "platform/scratchlist.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QLabel;
class QPushButton;

namespace orvane {

class DragDrop;
class DriveComboBox;
class DropDownList;
class FileListBox;
class FolderListBox;
class GaugeWidget;
class ImageBox;
class ListBox;
class ListDragTracker;
class MainForm;
class MediaButtonBar;
class MediaButtons;
class TextBox;
class Volumes;

// The main window, frmOrvane: a fixed-size window whose controls forward their events to the
// main form's handlers and show what the handlers set.
class MainWindow : public QMainWindow, public MainWindowView
{
    Q_OBJECT
public:
    // The client area's size in pixels.
    static constexpr QSize kClientSize{518, 386};

    MainWindow(MediaControl& media, HelpViewer& help, const Volumes& volumes,
               QWidget* parent = nullptr);
    ~MainWindow() override;

    // Connects the controls' events to `form`'s handlers; `form` must outlive the window.
    void bind(MainForm& form);

    TextControl& txtLength() override;
    TextControl& txtPlaying() override;
    FileListControl& File1() override;
    ListControl& List2() override { return m_scratch; }
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
    QWidget* clientArea() const { return m_client; }

signals:
    // The "About" menu item was chosen.
    void helpAboutClicked();
    // The volume picture was clicked.
    void volumeClicked();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createControls(const Volumes& volumes);
    void createMenus();
    void setKeyboardOrder();
    void bindDragDrop(DragDrop& dragDrop);
    void showHelpForFocus();

    MediaControl& m_media;
    HelpViewer& m_help;
    ScratchList m_scratch;
    MainForm* m_form = nullptr;
    std::unique_ptr<MediaButtons> m_mediaButtons;
    bool m_unloaded = false;

    QWidget* m_client = nullptr;
    TextBox* m_txtLength = nullptr;
    TextBox* m_txtPlaying = nullptr;
    FileListBox* m_file1 = nullptr;
    QPushButton* m_cmdRnd = nullptr;
    QPushButton* m_cmdExit = nullptr;
    QPushButton* m_cmdQAll = nullptr;
    QPushButton* m_cmdClear = nullptr;
    ListBox* m_lstMusicQ = nullptr;
    DropDownList* m_cboFileType = nullptr;
    DriveComboBox* m_drive1 = nullptr;
    MediaButtonBar* m_mmControl1 = nullptr;
    FolderListBox* m_dir1 = nullptr;
    GaugeWidget* m_gauge1 = nullptr;
    ImageBox* m_imgVolume = nullptr;
    ImageBox* m_image2 = nullptr;
    ImageBox* m_image3 = nullptr;
    ListDragTracker* m_dragTracker = nullptr;

    QAction* m_play = nullptr;
    QAction* m_clear = nullptr;
    QAction* m_random = nullptr;
    QAction* m_queue = nullptr;
    QAction* m_exit = nullptr;
    QAction* m_helpContents = nullptr;
    QAction* m_helpAbout = nullptr;
};

} // namespace orvane
