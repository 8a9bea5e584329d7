#pragma once

#include <QLineEdit>

namespace orvane {

class TextModel;

// A read-only text box that never takes the focus and shows a text model of the logic.
class TextBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit TextBox(QWidget* parent = nullptr);
    ~TextBox() override;

    // Shows `model` from now on; null shows nothing.
    void bind(TextModel* model);

private:
    TextModel* m_model = nullptr;
};

} // namespace orvane
