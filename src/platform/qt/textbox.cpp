#include "platform/qt/textbox.h"

#include "platform/qt/flatlook.h"

namespace orvane {

TextBox::TextBox(QWidget* parent)
    : QLineEdit(parent), m_model([this] {
          setText(m_model.get() ? QString::fromStdString(m_model.get()->text()) : QString());
      })
{
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
    makeFlat(*this);
}

} // namespace orvane
