#pragma once

#include "platform/listcontrol.h"

#include <QListView>

namespace orvane {

class StringListModel;

// A list box of text entries in the order added, fast at its full size of 32767 entries.
class ListBox : public QListView, public ListControl
{
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    int count() const override;
    std::string item(int index) const override;
    void addItem(const std::string& text) override;
    // Removes entry `index`; a selected entry removed leaves none selected.
    void removeItem(int index) override;
    int selectedIndex() const override;
    void setSelectedIndex(int index) override;

signals:
    // A double-click anywhere in the list, on an entry or not.
    void dblClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    StringListModel* m_model;
};

} // namespace orvane
