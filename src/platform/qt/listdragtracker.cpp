#include "platform/qt/listdragtracker.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <utility>

namespace orvane {

namespace {

bool isMouseEvent(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
           type == QEvent::MouseMove || type == QEvent::MouseButtonRelease;
}

int buttonValue(Qt::MouseButtons buttons)
{
    return (buttons.testFlag(Qt::LeftButton) ? 1 : 0) +
           (buttons.testFlag(Qt::RightButton) ? 2 : 0) +
           (buttons.testFlag(Qt::MiddleButton) ? 4 : 0);
}

std::size_t slotOf(MainWindowView::DragList list)
{
    return list == MainWindowView::DragList::File1 ? 0 : 1;
}

} // namespace

ListDragTracker::ListDragTracker(QAbstractItemView& file1, QAbstractItemView& queue,
                                 const QPixmap& image2, const QPixmap& image3, QObject* parent)
    : QObject(parent), m_file1(file1), m_queue(queue), m_image2(image2), m_image3(image3)
{
    m_file1.viewport()->installEventFilter(this);
    m_queue.viewport()->installEventFilter(this);
}

ListDragTracker::~ListDragTracker()
{
    endDrag();
}

void ListDragTracker::setDragIcon(DragList list, DragPicture picture)
{
    m_icons[slotOf(list)] = picture;
    if (m_dragged == list)
        QGuiApplication::changeOverrideCursor(cursorOf(list));
}

void ListDragTracker::beginDrag(DragList list)
{
    if (m_dragged)
        return;
    m_dragged = list;
    m_over.reset();
    m_file1.window()->grabMouse();
    QGuiApplication::setOverrideCursor(cursorOf(list));
    // Whichever widget the mouse events reach during the drag, they are the drag's.
    QCoreApplication::instance()->installEventFilter(this);
}

bool ListDragTracker::eventFilter(QObject* watched, QEvent* event)
{
    if (!isMouseEvent(event->type()))
        return false;
    const auto& mouse = static_cast<const QMouseEvent&>(*event);
    if (m_dragged) {
        // Each event reaches the window first and then a widget: it is handled once, there,
        // and no control sees the mouse while a list is dragged.
        if (!watched->isWidgetType())
            return false;
        dragMouseEvent(mouse);
        return true;
    }
    if (watched == m_file1.viewport())
        return listMouseEvent(DragList::File1, mouse);
    if (watched == m_queue.viewport())
        return listMouseEvent(DragList::lstMusicQ, mouse);
    return false;
}

bool ListDragTracker::listMouseEvent(DragList list, const QMouseEvent& event)
{
    // Moves that Qt makes up itself are not the user's.
    if (!event.spontaneous())
        return false;
    if (event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonDblClick) {
        m_pressedAt = event.globalPosition();
        m_movedFromPress = false;
        m_pressedOnEntry = view(list).indexAt(event.position().toPoint()).isValid();
        return false;
    }
    if (event.type() != QEvent::MouseMove)
        return false;
    if (event.buttons() == Qt::NoButton) {
        emit mouseMoved(list, 0);
        return false;
    }
    // With a button down the list never sees the pointer move: its own press-and-move
    // selection would leave the entry pressed before a drag of it starts.
    if (!m_movedFromPress) {
        // A pointer that trembles during a click or a double-click drags nothing.
        const QPointF moved = event.globalPosition() - m_pressedAt;
        if (moved.manhattanLength() < QApplication::startDragDistance())
            return true;
        m_movedFromPress = true;
    }
    // A press beside the entries carries none, so it drags nothing.
    if (!m_pressedOnEntry)
        return true;
    emit mouseMoved(list, buttonValue(event.buttons()));
    if (m_dragged)
        dragMovedTo(event.globalPosition());
    return true;
}

void ListDragTracker::dragMouseEvent(const QMouseEvent& event)
{
    if (!event.spontaneous())
        return;
    if (event.type() == QEvent::MouseButtonRelease && event.button() == Qt::LeftButton)
        drop(event.globalPosition());
    else if (event.type() == QEvent::MouseMove && event.buttons().testFlag(Qt::LeftButton))
        dragMovedTo(event.globalPosition());
    else if (event.type() == QEvent::MouseMove)
        endDrag(); // the release was lost elsewhere: the drag is over, dropping nothing
}

void ListDragTracker::dragMovedTo(QPointF global)
{
    const DragList source = *m_dragged;
    const std::optional<DragList> under = listAt(global);
    if (under == m_over) {
        if (under)
            emit dragOver(*under, source, kDragOver);
        return;
    }
    const std::optional<DragList> left = std::exchange(m_over, under);
    if (left)
        emit dragOver(*left, source, kDragLeave);
    if (under && m_dragged)
        emit dragOver(*under, source, kDragEnter);
}

void ListDragTracker::drop(QPointF global)
{
    const DragList source = *m_dragged;
    const std::optional<DragList> target = listAt(global);
    // Finished before the drop is reported: a drop that removes an entry waits in a nested
    // event loop, which must find the pointer, the mouse and the events back to normal.
    endDrag();
    if (target)
        emit dropped(*target, source);
}

void ListDragTracker::endDrag()
{
    if (!m_dragged)
        return;
    QCoreApplication::instance()->removeEventFilter(this);
    m_file1.window()->releaseMouse();
    QGuiApplication::restoreOverrideCursor();
    m_dragged.reset();
    m_over.reset();
}

QAbstractItemView& ListDragTracker::view(DragList list) const
{
    return list == DragList::File1 ? m_file1 : m_queue;
}

std::optional<ListDragTracker::DragList> ListDragTracker::listAt(QPointF global) const
{
    QWidget* window = m_file1.window();
    const QWidget* under = window->childAt(window->mapFromGlobal(global).toPoint());
    for (const DragList list : {DragList::File1, DragList::lstMusicQ}) {
        const QAbstractItemView& candidate = view(list);
        if (under && (under == &candidate || candidate.isAncestorOf(under)))
            return list;
    }
    return std::nullopt;
}

QCursor ListDragTracker::cursorOf(DragList list) const
{
    return QCursor(m_icons[slotOf(list)] == DragPicture::Image2 ? m_image2 : m_image3);
}

} // namespace orvane
