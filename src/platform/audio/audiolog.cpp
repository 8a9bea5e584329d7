#include "platform/audio/audiolog.h"

#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string_view>
#include <unordered_set>

namespace orvane {

namespace {

constexpr std::size_t kRememberedBytes = 1u << 20; // then forget and start again

void appendHex(std::string& out, std::uint8_t byte)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
}

// The length of the well-formed UTF-8 sequence at the start of `text`, 0 if there is none.
std::size_t utf8Length(std::string_view text, char32_t& codePoint)
{
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    std::uint8_t low = 0x80;  // bounds of the second byte, which rule out overlong forms,
    std::uint8_t high = 0xBF; // surrogates and code points past U+10FFFF
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0Fu;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07u;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        codePoint = (codePoint << 6) | (byte(i) & 0x3Fu);
    }
    return length;
}

// C1 controls, and the separators and direction marks that move or reorder what follows.
bool isInvisibleControl(char32_t c)
{
    return (c >= 0x80 && c <= 0x9F) || c == 0x2028 || c == 0x2029 || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

std::string escaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<std::uint8_t>(text[i]);
        if (byte < 0x80) {
            if (byte == '\n')
                out += "\\n";
            else if (byte == '\r')
                out += "\\r";
            else if (byte == '\t')
                out += "\\t";
            else if (byte == '\\')
                out += "\\\\";
            else if (byte < 0x20 || byte == 0x7F)
                appendHex(out, byte);
            else
                out += text[i];
            ++i;
            continue;
        }
        char32_t codePoint = 0;
        const std::size_t length = utf8Length(text.substr(i), codePoint);
        if (length == 0) {
            appendHex(out, byte);
            ++i;
            continue;
        }
        for (std::size_t k = 0; k < length; ++k) {
            if (isInvisibleControl(codePoint))
                appendHex(out, static_cast<std::uint8_t>(text[i + k]));
            else
                out += text[i + k];
        }
        i += length;
    }
    return out;
}

} // namespace

void reportAudioProblem(const std::string& line)
{
    const std::string text = "orvane: " + escaped(line) + "\n";
    static std::mutex mutex;
    static std::unordered_set<std::string> written;
    static std::size_t writtenBytes = 0;
    const std::lock_guard lock(mutex);
    if (!written.insert(text).second)
        return;
    writtenBytes += text.size();
    if (writtenBytes > kRememberedBytes) {
        written.clear();
        writtenBytes = 0;
    }
    // One write per line, under the lock, so that lines from different threads never mix.
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}

} // namespace orvane
