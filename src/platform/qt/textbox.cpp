#include "platform/qt/textbox.h"

#include "platform/qt/flatlook.h"

namespace orvane {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
    makeFlat(*this);
}

} // namespace orvane
