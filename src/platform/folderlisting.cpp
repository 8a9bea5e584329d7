#include "platform/folderlisting.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace orvane {

namespace {

char lower(char c)
{
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool matchesWildcard(std::string_view name, std::string_view wildcard)
{
    // Iterative matcher with one backtrack point: linear in practice, never exponential.
    std::size_t n = 0, w = 0, starW = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (w < wildcard.size() && (wildcard[w] == '?' || lower(wildcard[w]) == lower(name[n]))) {
            ++n;
            ++w;
        } else if (w < wildcard.size() && wildcard[w] == '*') {
            starW = w++;
            starN = n;
        } else if (starW != std::string_view::npos) {
            w = starW + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (w < wildcard.size() && wildcard[w] == '*')
        ++w;
    return w == wildcard.size();
}

bool lessIgnoringCase(const std::string& a, const std::string& b)
{
    const auto byLower = [](char x, char y) { return lower(x) < lower(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), byLower))
        return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), byLower))
        return false;
    return a < b; // names equal but for case keep a stable order
}

} // namespace

bool matchesPattern(std::string_view name, std::string_view pattern)
{
    while (true) {
        const std::size_t end = pattern.find(';');
        if (matchesWildcard(name, pattern.substr(0, end)) && !pattern.substr(0, end).empty())
            return true;
        if (end == std::string_view::npos)
            return false;
        pattern.remove_prefix(end + 1);
    }
}

std::vector<std::string> listMatchingFiles(const std::string& folder, std::string_view pattern,
                                           std::size_t limit)
{
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code error;
    fs::directory_iterator entries(fs::path(folder), fs::directory_options::skip_permission_denied,
                                   error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        const std::string name = entries->path().filename().string();
        if (name.empty() || name.front() == '.' || !matchesPattern(name, pattern))
            continue;
        std::error_code statError;
        if (!entries->is_regular_file(statError))
            continue;
        names.push_back(name);
    }
    if (error)
        return {};
    std::sort(names.begin(), names.end(), lessIgnoringCase);
    if (names.size() > limit)
        names.resize(limit);
    return names;
}

} // namespace orvane
