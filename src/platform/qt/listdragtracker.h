#pragma once

#include "platform/mainwindowevents.h"

#include <QObject>
#include <QPixmap>
#include <QPointF>
#include <array>
#include <optional>

class QAbstractItemView;
class QCursor;
class QMouseEvent;

namespace orvane {

// Drags of the file list and the queue, run by the window itself: QDrag cannot change its
// picture once it runs, and the picture must change as the pointer crosses the lists.
// Reports the mouse moving over either list, with a button down only once it has gone the
// platform's drag distance from a press on an entry; while a button is down the list itself
// never sees the pointer move, so its selection stays on the entry pressed. While a list is
// dragged, shows that list's picture as the pointer and reports the lists the pointer
// enters, moves within and leaves, and the list the button is released over.
class ListDragTracker : public QObject
{
    Q_OBJECT
public:
    using DragList = MainWindowView::DragList;
    using DragPicture = MainWindowView::DragPicture;

    // `image2` and `image3` are the pictures a drag can show; both lists are in one window.
    ListDragTracker(QAbstractItemView& file1, QAbstractItemView& queue, const QPixmap& image2,
                    const QPixmap& image3, QObject* parent = nullptr);
    ~ListDragTracker() override;

    // Sets the picture the pointer shows while `list` is dragged; at once if it is.
    void setDragIcon(DragList list, DragPicture picture);
    // Starts dragging `list` until the left button is released; nothing if a drag runs.
    void beginDrag(DragList list);

signals:
    // The pointer moved over `list` with `buttons` held: 1 left, 2 right, 4 middle, summed.
    void mouseMoved(orvane::MainWindowView::DragList list, int buttons);
    // A drag of `source` entered, left or moved within `target` (kDragEnter, kDragLeave,
    // kDragOver).
    void dragOver(orvane::MainWindowView::DragList target, orvane::MainWindowView::DragList source,
                  int state);
    // A drag of `source` was released over `target`.
    void dropped(orvane::MainWindowView::DragList target, orvane::MainWindowView::DragList source);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool listMouseEvent(DragList list, const QMouseEvent& event);
    void dragMouseEvent(const QMouseEvent& event);
    void dragMovedTo(QPointF global);
    void drop(QPointF global);
    void endDrag();
    QAbstractItemView& view(DragList list) const;
    std::optional<DragList> listAt(QPointF global) const;
    QCursor cursorOf(DragList list) const;

    QAbstractItemView& m_file1;
    QAbstractItemView& m_queue;
    QPixmap m_image2;
    QPixmap m_image3;
    std::array<DragPicture, 2> m_icons{DragPicture::Image2, DragPicture::Image3};
    QPointF m_pressedAt;
    bool m_movedFromPress = false;
    bool m_pressedOnEntry = false;
    std::optional<DragList> m_dragged;
    std::optional<DragList> m_over;
};

} // namespace orvane
