#pragma once

#include "platform/combocontrol.h"

#include <QComboBox>

namespace orvane {

// A drop-down list the user picks from and cannot type into.
class DropDownList : public QComboBox, public ComboControl
{
    Q_OBJECT
public:
    explicit DropDownList(QWidget* parent = nullptr);

    void addItem(const std::string& text) override;
    int count() const override { return QComboBox::count(); }
    std::string itemText(int index) const override;
    int selectedIndex() const override { return currentIndex(); }
    void setSelectedIndex(int index) override;

signals:
    // An entry was chosen, by the user or by setSelectedIndex().
    void clicked();
};

} // namespace orvane
