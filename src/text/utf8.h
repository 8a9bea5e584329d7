#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orvane {

// The length of the well-formed UTF-8 sequence at the start of `text`, with its code point in
// `codePoint`; 0 when there is none (a stray byte, an overlong form, a surrogate).
std::size_t utf8Sequence(std::string_view text, char32_t& codePoint);

// Appends `codePoint` to `out` as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

} // namespace orvane
