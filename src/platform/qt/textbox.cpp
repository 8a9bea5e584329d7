#include "platform/qt/textbox.h"

#include "model/textmodel.h"
#include "platform/qt/flatlook.h"

namespace orvane {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent)
{
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
    setContextMenuPolicy(Qt::NoContextMenu);
    makeFlat(*this);
}

TextBox::~TextBox()
{
    if (m_model)
        m_model->setObserver({});
}

void TextBox::bind(TextModel* model)
{
    if (m_model)
        m_model->setObserver({});
    m_model = model;
    const auto show = [this] {
        setText(m_model ? QString::fromStdString(m_model->text()) : QString());
    };
    if (m_model)
        m_model->setObserver(show);
    show();
}

} // namespace orvane
