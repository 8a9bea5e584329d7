#pragma once

#include "platform/mainwindowview.h"
#include "platform/transportbuttons.h"

#include <string>

namespace orvane {

// The key codes the keyboard events carry for Enter and Delete.
inline constexpr int kEnterKeyAscii = 13;
inline constexpr int kDeleteKeyCode = 46;
// The mouse-button value of the left button alone.
inline constexpr int kLeftButton = 1;
// How a drag crosses a list: it enters, leaves or moves within it.
inline constexpr int kDragEnter = 0;
inline constexpr int kDragLeave = 1;
inline constexpr int kDragOver = 2;

// The main window's events, one handler each, raised on the GUI thread by its controls and
// menu items; every other event of the window is ignored. The controls change nothing of the
// form's model themselves: a choice, a selection or a folder opened is raised as an event.
class MainWindowEvents
{
public:
    using DragList = MainWindowView::DragList;

    virtual ~MainWindowEvents() = default;

    // The window is closing, whichever way; raised once.
    virtual void Form_Unload() = 0;
    // The user chose `Drive` (a mount point) in the drive list.
    virtual void Drive1_Pick(const std::string& Drive) = 0;
    // The user opened the folder `Path` in the folder list (a double-click or Enter).
    virtual void Dir1_Open(const std::string& Path) = 0;
    // The user chose entry `Index` of the file types.
    virtual void cboFileType_Pick(int Index) = 0;
    // The user selected name `Index` of the file list, or none with -1.
    virtual void File1_Select(int Index) = 0;
    // A double-click in the file list, on a name or not.
    virtual void File1_DblClick() = 0;
    // A key with a character typed in the file list: its code (kEnterKeyAscii for Enter).
    virtual void File1_KeyPress(int KeyAscii) = 0;
    // The pointer moved over the file list with `Button` held (1 left, 2 right, 4 middle).
    virtual void File1_MouseMove(int Button) = 0;
    // A drag of `Source` crossed the file list (kDragEnter, kDragLeave, kDragOver).
    virtual void File1_DragOver(DragList Source, int State) = 0;
    // A drag of `Source` was released over the file list.
    virtual void File1_DragDrop(DragList Source) = 0;
    // The user selected entry `Index` of the queue, or none with -1.
    virtual void lstMusicQ_Select(int Index) = 0;
    // A double-click in the queue, on an entry or not.
    virtual void lstMusicQ_DblClick() = 0;
    // A key pressed in the queue: its key code (kDeleteKeyCode for Delete); auto-repeat is not
    // raised.
    virtual void lstMusicQ_KeyDown(int KeyCode) = 0;
    // The pointer moved over the queue with `Button` held.
    virtual void lstMusicQ_MouseMove(int Button) = 0;
    // A drag of `Source` crossed the queue (kDragEnter, kDragLeave, kDragOver).
    virtual void lstMusicQ_DragOver(DragList Source, int State) = 0;
    // A drag of `Source` was released over the queue.
    virtual void lstMusicQ_DragDrop(DragList Source) = 0;
    // The command buttons.
    virtual void cmdQAll_Click() = 0;
    virtual void cmdRnd_Click() = 0;
    virtual void cmdClear_Click() = 0;
    virtual void cmdExit_Click() = 0;
    // The volume picture was clicked.
    virtual void imgVolume_Click() = 0;
    // One of the media control's transport buttons was pressed.
    virtual void MMControl1_ButtonPress(MediaButton Button) = 0;
    // The menu items.
    virtual void play_Click() = 0;
    virtual void clear_Click() = 0;
    virtual void random_Click() = 0;
    virtual void queue_Click() = 0;
    virtual void exit_Click() = 0;
    virtual void HelpContents_Click() = 0;
    virtual void HelpAbout_Click() = 0;
};

} // namespace orvane
