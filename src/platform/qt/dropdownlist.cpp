#include "platform/qt/dropdownlist.h"

#include "platform/qt/flatlook.h"

namespace orvane {

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent)
{
    setEditable(false);
    makeFlat(*this);
    // Choosing the entry already shown is still a click.
    connect(this, &QComboBox::activated, this, &DropDownList::clicked);
}

void DropDownList::addItem(const std::string& text)
{
    QComboBox::addItem(QString::fromStdString(text));
}

std::string DropDownList::itemText(int index) const
{
    return QComboBox::itemText(index).toStdString();
}

void DropDownList::setSelectedIndex(int index)
{
    setCurrentIndex(index >= 0 && index < count() ? index : -1);
    emit clicked();
}

} // namespace orvane
