#include "platform/posix/posixfilesystem.h"

#include "platform/posix/folderlisting.h"
#include "platform/posix/launcharguments.h"
#include "text/lowercase.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace orvane {

namespace fs = std::filesystem;

namespace {

// The absolute, normal form of `path`, without a separator at the end except for the root.
fs::path normalised(const std::string& path)
{
    std::error_code error;
    fs::path absolute = fs::absolute(fs::path(path), error);
    if (error)
        return {};
    absolute = absolute.lexically_normal();
    if (absolute.has_relative_path() && !absolute.has_filename())
        absolute = absolute.parent_path();
    return absolute;
}

} // namespace

PathKind PosixFileSystem::pathKind(const std::string& path)
{
    return classifyPath(path);
}

std::optional<FolderListing> PosixFileSystem::readFolder(const std::string& path)
{
    const fs::path folder = path.empty() ? fs::path() : normalised(path);
    std::error_code error;
    if (folder.empty() || !fs::is_directory(folder, error))
        return std::nullopt;
    // Each name with its lower-case form, worked out once rather than in every comparison.
    std::vector<std::pair<std::string, std::string>> keyed;
    fs::directory_iterator entries(folder, error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::string name = entries->path().filename().string();
        std::error_code statError;
        if (!name.empty() && name.front() != '.' && entries->is_directory(statError))
            keyed.emplace_back(lowerCase(name), std::move(name));
    }
    if (error)
        return std::nullopt;
    std::sort(keyed.begin(), keyed.end());
    FolderListing listing{folder.string(), {}};
    listing.subFolders.reserve(keyed.size());
    for (auto& [key, name] : keyed)
        listing.subFolders.push_back(std::move(name));
    return listing;
}

std::vector<std::string> PosixFileSystem::matchingFiles(const std::string& folder,
                                                        const std::string& pattern,
                                                        std::size_t limit)
{
    return listMatchingFiles(folder, pattern, limit);
}

} // namespace orvane
