#pragma once

#include "platform/listcontrol.h"
#include "platform/qt/textlistview.h"

namespace orvane {

// A list box of text entries in the order added, fast at its full size of 32767 entries. An
// entry too long for the list is cut in its middle, and shows in full as its tooltip.
class ListBox : public TextListView, public ListControl
{
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    int count() const override;
    std::string item(int index) const override;
    void addItem(const std::string& text) override;
    // Removes entry `index`; a selected entry removed leaves none selected.
    void removeItem(int index) override;
    int selectedIndex() const override { return selectedRow(); }
    void setSelectedIndex(int index) override { selectRow(index); }

signals:
    // A key the program handles went down: kDeleteKeyCode.
    void keyDown(int keyCode);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace orvane
