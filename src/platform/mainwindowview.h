#pragma once

#include <string>

namespace orvane {

struct FormModel;
class MainWindowEvents;

// The main window as the program's logic sees it: it shows the form's model and raises the
// user's input as events; besides that it has a caption, a state and a few acts of its own.
class MainWindowView
{
public:
    enum class WindowState { Normal, Minimized };
    // The two lists that can be dragged.
    enum class DragList { File1, lstMusicQ };
    // The pictures a drag shows: two notes with a sharp, a loudspeaker sending out sound.
    enum class DragPicture { Image2, Image3 };

    virtual ~MainWindowView() = default;

    // Where the window raises its events from now on; null raises none.
    virtual void setEvents(MainWindowEvents* events) = 0;
    // What the window shows from now on; null shows nothing.
    virtual void setModel(FormModel* model) = 0;
    // The window's caption.
    virtual std::string caption() const = 0;
    // Replaces the window's caption.
    virtual void setCaption(const std::string& caption) = 0;
    // The window's state.
    virtual WindowState windowState() const = 0;
    // Sets the window's state; before the window is first shown, the state it is shown in.
    virtual void setWindowState(WindowState state) = 0;
    // Sounds the platform's warning beep.
    virtual void beep() = 0;
    // Closes the window: its Unload handler runs, then the program ends.
    virtual void unload() = 0;
    // Shows a brief note beside the volume picture, gone after a few seconds.
    virtual void showVolumeNote(const std::string& text) = 0;
    // Sets the picture the pointer shows while `list` is dragged; at once if it is.
    virtual void setDragIcon(DragList list, DragPicture picture) = 0;
    // Starts dragging `list` until the mouse button is released; nothing if a drag runs.
    virtual void beginDrag(DragList list) = 0;
};

} // namespace orvane
