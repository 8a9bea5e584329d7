#include "platform/posix/folderlisting.h"

#include "platform/posix/mountguard.h"
#include "text/lowercase.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <limits>
#include <system_error>
#include <utility>

namespace orvane {

namespace fs = std::filesystem;

namespace {

bool matchesWildcard(std::string_view name, std::string_view wildcard)
{
    // `name` and `wildcard` are both in lower case. Iterative matcher with one backtrack point:
    // linear in practice, never exponential.
    std::size_t n = 0, w = 0, starW = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (w < wildcard.size() && (wildcard[w] == '?' || wildcard[w] == name[n])) {
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

// True when `entry` is an ordinary file or a link to one; a link into a mount that does not
// answer is left out.
bool isFile(const fs::directory_entry& entry)
{
    std::error_code error;
    if (!entry.is_symlink(error))
        return entry.is_regular_file(error);
    const std::optional<std::string> target = MountGuard::resolve(entry.path().string());
    return target && MountGuard::mayTouch(*target) && fs::is_regular_file(*target, error);
}

// matchesPattern() for a name and a pattern both in lower case already.
bool matchesLowered(std::string_view name, std::string_view pattern)
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

} // namespace

bool matchesPattern(std::string_view name, std::string_view pattern)
{
    return matchesLowered(lowerCase(name), lowerCase(pattern));
}

namespace {

using Keyed = std::vector<std::pair<std::string, std::string>>; // lower-case name, name
constexpr std::size_t kAll = std::numeric_limits<std::size_t>::max();

// By lower-case name; names equal but for case keep a stable order by their own bytes.
std::vector<std::string> inOrder(Keyed keyed, std::size_t limit)
{
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::string> names;
    names.reserve(std::min(keyed.size(), limit));
    for (std::size_t i = 0; i < keyed.size() && i < limit; ++i)
        names.push_back(std::move(keyed[i].second));
    return names;
}

// Hands the matching names of `folder` to `found` with their lower-case forms, worked out once
// rather than in every comparison; false when the folder cannot be read.
bool forEachMatch(const std::string& folder, std::string_view pattern,
                  const std::function<void(std::string lowerName, std::string name)>& found)
{
    const std::string lowerPattern = lowerCase(pattern);
    const std::optional<std::string> real = MountGuard::resolve(folder);
    if (!real || !MountGuard::mayTouch(*real))
        return false;
    std::error_code error;
    fs::directory_iterator entries(fs::path(*real), fs::directory_options::skip_permission_denied,
                                   error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::string name = entries->path().filename().string();
        if (name.empty() || name.front() == '.')
            continue;
        std::string lowerName = lowerCase(name);
        if (matchesLowered(lowerName, lowerPattern) && isFile(*entries))
            found(std::move(lowerName), std::move(name));
        // A link may have led to another mount: back to this folder's, unless it has stopped
        // answering meanwhile.
        std::error_code linkError;
        if (entries->is_symlink(linkError) && !MountGuard::mayTouch(*real))
            return false;
    }
    return !error;
}

} // namespace

std::vector<std::string> listMatchingFiles(const std::string& folder, std::string_view pattern,
                                           std::size_t limit)
{
    Keyed keyed;
    if (!forEachMatch(folder, pattern, [&keyed](std::string lowerName, std::string name) {
            keyed.emplace_back(std::move(lowerName), std::move(name));
        }))
        return {};
    return inOrder(std::move(keyed), limit);
}

void listMatchingFilesInBatches(const std::string& folder, std::string_view pattern,
                                std::chrono::milliseconds every,
                                const std::function<void(FileBatch)>& found)
{
    using Clock = std::chrono::steady_clock;
    Keyed batch;
    auto due = Clock::now() + every;
    const bool read = forEachMatch(folder, pattern, [&](std::string lowerName, std::string name) {
        batch.emplace_back(std::move(lowerName), std::move(name));
        if (Clock::now() < due)
            return;
        found({inOrder(std::exchange(batch, {}), kAll), false});
        due = Clock::now() + every;
    });
    // A folder that could not be read to its end lists nothing more.
    found({read ? inOrder(std::move(batch), kAll) : std::vector<std::string>(), true});
}

} // namespace orvane
