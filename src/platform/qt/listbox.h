#pragma once

#include "platform/qt/textlistview.h"

namespace orvane {

// The queue's list box. An entry too long for the list is cut in its middle, and shows in
// full as its tooltip.
class ListBox : public TextListView
{
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

signals:
    // A key the program handles went down: kDeleteKeyCode.
    void keyDown(int keyCode);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace orvane
