#include "text/terminaltext.h"

#include "text/utf8.h"

#include <algorithm>
#include <cstdint>

namespace orvane {

namespace {

void appendHex(std::string& out, std::uint8_t byte)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
}

bool isInvisibleControl(char32_t c)
{
    return c < 0x20 || c == 0x7F || (c >= 0x80 && c <= 0x9F) || c == 0x2028 || c == 0x2029 ||
           (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

} // namespace

std::string escapedForTerminal(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        char32_t codePoint = 0;
        const std::size_t length = utf8Sequence(text, codePoint);
        if (codePoint == '\n' && length == 1)
            out += "\\n";
        else if (codePoint == '\r' && length == 1)
            out += "\\r";
        else if (codePoint == '\t' && length == 1)
            out += "\\t";
        else if (codePoint == '\\' && length == 1)
            out += "\\\\";
        else if (length == 0 || isInvisibleControl(codePoint))
            for (std::size_t k = 0; k < std::max<std::size_t>(length, 1); ++k)
                appendHex(out, static_cast<std::uint8_t>(text[k]));
        else
            out.append(text.substr(0, length));
        text.remove_prefix(std::max<std::size_t>(length, 1));
    }
    return out;
}

} // namespace orvane
