#pragma once

#include "fakes/fakecontrols.h"
#include "fakes/fakemediacontrol.h"
#include "fakes/fakeplatform.h"
#include "platform/mainwindowview.h"

#include <optional>
#include <vector>

namespace orvane {

// The main window with fake controls; the test wires their events to the logic.
class FakeWindow : public MainWindowView
{
public:
    explicit FakeWindow(const Volumes& volumes) : drive1(volumes) {}

    void setEvents(MainWindowEvents* windowEvents) override { events = windowEvents; }
    TextControl& txtLength() override { return length; }
    TextControl& txtPlaying() override { return playing; }
    FileListControl& File1() override { return file1; }
    ListControl& lstMusicQ() override { return queue; }
    ComboControl& cboFileType() override { return fileType; }
    DriveListControl& Drive1() override { return drive1; }
    FolderListControl& Dir1() override { return dir1; }
    GaugeControl& Gauge1() override { return gauge; }
    MediaControl& MMControl1() override { return media; }
    HelpViewer& CommonDialog1() override { return help; }
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
        if (dragging && *dragging == list)
            pointer.push_back(picture);
    }
    void beginDrag(DragList list) override
    {
        if (dragging)
            return;
        dragging = list;
        pointer.push_back(list == DragList::File1 ? file1Icon : queueIcon);
    }

    MainWindowEvents* events = nullptr;
    FakeText length;
    FakeText playing;
    FakeFileList file1;
    FakeList queue;
    FakeCombo fileType;
    FakeDriveList drive1;
    FakeFolderList dir1;
    FakeGauge gauge;
    FakeMediaControl media;
    FakeHelpViewer help;
    std::string windowCaption = "Vemor's Music Player";
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
