#pragma once

#include <QSize>

class QAction;
class QMainWindow;
class QPushButton;
class QWidget;

namespace orvane {

class DriveComboBox;
class DropDownList;
class FileListBox;
class FolderListBox;
class GaugeWidget;
class ImageBox;
class ListBox;
class MediaButtonBar;
class TextBox;

// The main window's controls and menu items, each in its designed place and size, with its
// text, colours, font, tooltip, help topic and place in the keyboard order.
struct MainWindowControls
{
    // The client area's size in pixels.
    static constexpr QSize kClientSize{518, 386};

    QWidget* client = nullptr;
    TextBox* txtLength = nullptr;
    TextBox* txtPlaying = nullptr;
    FileListBox* file1 = nullptr;
    QPushButton* cmdRnd = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdQAll = nullptr;
    QPushButton* cmdClear = nullptr;
    ListBox* lstMusicQ = nullptr;
    DropDownList* cboFileType = nullptr;
    DriveComboBox* drive1 = nullptr;
    MediaButtonBar* mmControl1 = nullptr;
    FolderListBox* dir1 = nullptr;
    GaugeWidget* gauge1 = nullptr;
    ImageBox* imgVolume = nullptr;
    ImageBox* image2 = nullptr;
    ImageBox* image3 = nullptr;

    QAction* play = nullptr;
    QAction* clear = nullptr;
    QAction* random = nullptr;
    QAction* queue = nullptr;
    QAction* exit = nullptr;
    QAction* helpContents = nullptr;
    QAction* helpAbout = nullptr;
};

// Builds the controls into a new client area of `window` and its menu bar, and gives the
// first control of the keyboard order the focus.
MainWindowControls buildMainWindowControls(QMainWindow& window);

} // namespace orvane
