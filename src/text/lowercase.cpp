#include "text/lowercase.h"

#include "text/utf8.h"

namespace orvane {

namespace {

// Where capitals and small letters alternate: even code points are capitals from `first` to
// `last` when `evenCapitals`, odd ones otherwise.
struct AlternatingRange
{
    char32_t first;
    char32_t last;
};

constexpr AlternatingRange kAlternating[] = {
    {0x0100, 0x012F}, {0x0132, 0x0137}, {0x0139, 0x0148}, {0x014A, 0x0177}, {0x0179, 0x017E},
    {0x01CD, 0x01DC}, {0x01DE, 0x01EF}, {0x01F8, 0x021F}, {0x0222, 0x0233}, {0x0460, 0x0481},
    {0x048A, 0x04BF}, {0x04C1, 0x04CE}, {0x04D0, 0x052F}, {0x1E00, 0x1E95}, {0x1EA0, 0x1EFF},
};

// Where a block of capitals sits a fixed distance above its small letters.
struct ShiftedRange
{
    char32_t first;
    char32_t last;
    char32_t shift;
};

constexpr ShiftedRange kShifted[] = {
    {'A', 'Z', 0x20},       {0x00C0, 0x00D6, 0x20}, {0x00D8, 0x00DE, 0x20}, {0x0388, 0x038A, 0x25},
    {0x038E, 0x038F, 0x3F}, {0x0391, 0x03A1, 0x20}, {0x03A3, 0x03AB, 0x20}, {0x0400, 0x040F, 0x50},
    {0x0410, 0x042F, 0x20}, {0x0531, 0x0556, 0x30}, {0xFF21, 0xFF3A, 0x20},
};

char32_t lowered(char32_t c)
{
    for (const ShiftedRange& range : kShifted) {
        if (c >= range.first && c <= range.last)
            return c + range.shift;
    }
    for (const AlternatingRange& range : kAlternating) {
        // Each range starts on a capital.
        if (c >= range.first && c <= range.last)
            return (c - range.first) % 2 == 0 ? c + 1 : c;
    }
    switch (c) {
    case 0x0130: // capital I with dot above
        return 'i';
    case 0x0178:
        return 0x00FF;
    case 0x0386:
        return 0x03AC;
    case 0x038C:
        return 0x03CC;
    case 0x04C0:
        return 0x04CF;
    case 0x1E9E: // capital sharp s
        return 0x00DF;
    default:
        return c;
    }
}

} // namespace

std::string lowerCase(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        char32_t codePoint = 0;
        const std::size_t length = utf8Sequence(text, codePoint);
        if (length == 0) {
            out += text.front();
            text.remove_prefix(1);
            continue;
        }
        appendUtf8(out, lowered(codePoint));
        text.remove_prefix(length);
    }
    return out;
}

} // namespace orvane
