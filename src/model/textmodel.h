#pragma once

#include <functional>
#include <string>

namespace orvane {

// The text of a read-only text box.
class TextModel
{
public:
    const std::string& text() const { return m_text; }
    void setText(std::string text)
    {
        if (text == m_text)
            return;
        m_text = std::move(text);
        if (m_changed)
            m_changed();
    }
    // Called after every change from now on; empty for none.
    void setObserver(std::function<void()> changed) { m_changed = std::move(changed); }

private:
    std::string m_text;
    std::function<void()> m_changed;
};

} // namespace orvane
