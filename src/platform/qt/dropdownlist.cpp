#include "platform/qt/dropdownlist.h"

#include "platform/qt/flatlook.h"
#include "platform/qt/listmodeladapter.h"

#include <QSignalBlocker>

namespace orvane {

DropDownList::DropDownList(QWidget* parent)
    : QComboBox(parent), m_entries(new ListModelAdapter(this))
{
    setEditable(false);
    setModel(m_entries);
    makeFlat(*this);
    // Choosing the entry already shown is still a choice.
    connect(this, &QComboBox::activated, this, &DropDownList::picked);
    connect(m_entries, &ListModelAdapter::changeEnds, this, &DropDownList::showModelSelection);
    connect(m_entries, &ListModelAdapter::selectionChangedInModel, this,
            &DropDownList::showModelSelection);
}

void DropDownList::bind(ListModel* model)
{
    m_entries->bind(model);
    showModelSelection();
}

void DropDownList::showModelSelection()
{
    const QSignalBlocker quiet(this);
    const ListModel* model = m_entries->model();
    setCurrentIndex(model ? model->selectedIndex() : -1);
}

} // namespace orvane
