#pragma once

#include "model/changenotifier.h"

#include <string>

namespace orvane {

// The text of a read-only text box.
class TextModel : public ChangeNotifier
{
public:
    const std::string& text() const { return m_text; }
    void setText(std::string text)
    {
        if (text == m_text)
            return;
        m_text = std::move(text);
        notify();
    }

private:
    std::string m_text;
};

} // namespace orvane
