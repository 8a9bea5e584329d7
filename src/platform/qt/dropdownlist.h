#pragma once

#include <QComboBox>

namespace orvane {

class ListModel;
class ListModelAdapter;

// A drop-down list the user picks from and cannot type into; it shows a list model of the
// logic, the model's selection chosen.
class DropDownList : public QComboBox
{
    Q_OBJECT
public:
    explicit DropDownList(QWidget* parent = nullptr);

    // Shows `model` from now on; null shows nothing.
    void bind(ListModel* model);

signals:
    // The user chose entry `index`, the one shown or another.
    void picked(int index);

private:
    void showModelSelection();

    ListModelAdapter* m_entries;
};

} // namespace orvane
