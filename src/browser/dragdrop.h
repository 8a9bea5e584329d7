#pragma once

#include "platform/mainwindowevents.h"

namespace orvane {

struct FormModel;
class QueueBuilder;

// Dragging between the file list and the queue: a file dropped on the queue is added, a
// queue entry dropped on the file list is removed, each as its double-click would.
class DragDrop
{
public:
    using DragList = MainWindowView::DragList;

    DragDrop(FormModel& form, MainWindowView& window, QueueBuilder& queue);

    void File1_MouseMove(int Button);
    void lstMusicQ_MouseMove(int Button);
    void File1_DragOver(DragList Source, int State);
    void lstMusicQ_DragOver(DragList Source, int State);
    void File1_DragDrop(DragList Source);
    void lstMusicQ_DragDrop(DragList Source);

private:
    std::string dragValue(DragList list) const;

    FormModel& m_form;
    MainWindowView& m_window;
    QueueBuilder& m_queue;
};

} // namespace orvane
