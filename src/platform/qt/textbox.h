#pragma once

#include "model/textmodel.h"
#include "platform/qt/modelbinding.h"

#include <QLineEdit>

namespace orvane {

// A read-only text box that never takes the focus and shows a text model of the logic.
class TextBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    // Shows `model` from now on; null shows nothing.
    void bind(TextModel* model) { m_model.bind(model); }

private:
    ModelBinding<TextModel> m_model;
};

} // namespace orvane
