#pragma once

#include "platform/mainwindowview.h"

#include <optional>
#include <string>
#include <vector>

namespace orvane {

// The main window's own acts, kept for the test to look at.
class FakeView : public MainWindowView
{
public:
    void setEvents(MainWindowEvents*) override {}
    void setModel(FormModel*) override {}
    std::string caption() const override { return windowCaption; }
    void setCaption(const std::string& caption) override { windowCaption = caption; }
    WindowState windowState() const override { return state; }
    void setWindowState(WindowState newState) override { state = newState; }
    void beep() override { ++beeps; }
    void unload() override { ++unloads; }
    void showVolumeNote(const std::string& text) override { volumeNote = text; }
    void setDragIcon(DragList list, DragPicture picture) override
    {
        (list == DragList::File1 ? file1Icon : queueIcon) = picture;
        if (dragging == list)
            pointer.push_back(picture);
    }
    void beginDrag(DragList list) override
    {
        if (dragging)
            return;
        dragging = list;
        pointer.push_back(list == DragList::File1 ? file1Icon : queueIcon);
    }

    std::string windowCaption;
    WindowState state = WindowState::Normal;
    int beeps = 0;
    int unloads = 0;
    std::string volumeNote;
    std::optional<DragList> dragging;
    DragPicture file1Icon = DragPicture::Image2;
    DragPicture queueIcon = DragPicture::Image2;
    std::vector<DragPicture> pointer; // what the pointer showed, in order
};

} // namespace orvane
