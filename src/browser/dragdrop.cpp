#include "browser/dragdrop.h"

#include "model/formmodel.h"
#include "queue/queuebuilder.h"

namespace orvane {

using DragPicture = MainWindowView::DragPicture;

DragDrop::DragDrop(FormModel& form, MainWindowView& window, QueueBuilder& queue)
    : m_form(form), m_window(window), m_queue(queue)
{
}

void DragDrop::File1_MouseMove(int Button)
{
    if (m_form.File1.count() > 0 && Button == kLeftButton) {
        m_window.setDragIcon(DragList::File1, DragPicture::Image2);
        m_window.beginDrag(DragList::File1);
    }
}

void DragDrop::lstMusicQ_MouseMove(int Button)
{
    if (Button == kLeftButton && m_form.lstMusicQ.count() > 0) {
        m_window.setDragIcon(DragList::lstMusicQ, DragPicture::Image3);
        m_window.beginDrag(DragList::lstMusicQ);
    }
}

// Each list sets the other list's icon as a drag crosses it, whichever list is dragged.
void DragDrop::File1_DragOver(DragList /*Source*/, int State)
{
    if (State == kDragEnter)
        m_window.setDragIcon(DragList::lstMusicQ, DragPicture::Image2);
    else if (State == kDragLeave)
        m_window.setDragIcon(DragList::lstMusicQ, DragPicture::Image3);
}

void DragDrop::lstMusicQ_DragOver(DragList /*Source*/, int State)
{
    if (State == kDragEnter)
        m_window.setDragIcon(DragList::File1, DragPicture::Image3);
    else if (State == kDragLeave)
        m_window.setDragIcon(DragList::File1, DragPicture::Image2);
}

void DragDrop::File1_DragDrop(DragList Source)
{
    if (dragValue(Source) == m_form.lstMusicQ.selectedItem())
        m_queue.lstMusicQ_DblClick();
}

void DragDrop::lstMusicQ_DragDrop(DragList Source)
{
    if (dragValue(Source) == m_form.File1.selectedItem())
        m_queue.File1_DblClick();
}

std::string DragDrop::dragValue(DragList list) const
{
    return list == DragList::File1 ? m_form.File1.selectedItem() : m_form.lstMusicQ.selectedItem();
}

} // namespace orvane
