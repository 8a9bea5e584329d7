#pragma once

#include "platform/textcontrol.h"

#include <QLineEdit>

namespace orvane {

// A read-only text box that never takes the focus.
class TextBox : public QLineEdit, public TextControl
{
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);

    std::string text() const override { return QLineEdit::text().toStdString(); }
    void setText(const std::string& text) override
    {
        QLineEdit::setText(QString::fromStdString(text));
    }
};

} // namespace orvane
