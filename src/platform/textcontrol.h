#pragma once

#include <string>

namespace orvane {

// A read-only text box the program writes to.
class TextControl
{
public:
    virtual ~TextControl() = default;

    // The text shown.
    virtual std::string text() const = 0;
    // Replaces the text shown.
    virtual void setText(const std::string& text) = 0;
};

} // namespace orvane
