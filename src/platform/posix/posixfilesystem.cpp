#include "platform/posix/posixfilesystem.h"

#include "platform/posix/folderlisting.h"
#include "platform/posix/launcharguments.h"
#include "platform/posix/mountguard.h"
#include "text/lowercase.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace orvane {

namespace fs = std::filesystem;

namespace {

// How often a slow listing hands on what it has found.
constexpr std::chrono::milliseconds kBatchEvery{100};

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

// True when `entry` is a folder or a link to one. A link into a mount that does not answer
// counts as one: it shows, and opening it finds the mount not ready.
bool leadsToFolder(const fs::directory_entry& entry)
{
    std::error_code error;
    if (!entry.is_symlink(error))
        return entry.is_directory(error);
    const std::optional<std::string> target = MountGuard::resolve(entry.path().string());
    if (!target || !MountGuard::mayTouch(*target))
        return true;
    return fs::is_directory(*target, error);
}

} // namespace

PathKind PosixFileSystem::pathKind(const std::string& path)
{
    return classifyPath(path);
}

std::optional<FolderListing> PosixFileSystem::readFolder(const std::string& path)
{
    const fs::path folder = path.empty() ? fs::path() : normalised(path);
    if (folder.empty())
        return std::nullopt;
    const std::optional<std::string> real = MountGuard::resolve(folder.string());
    std::error_code error;
    if (!real || !MountGuard::mayTouch(*real) || !fs::is_directory(*real, error))
        return std::nullopt;
    // Each name with its lower-case form, worked out once rather than in every comparison.
    std::vector<std::pair<std::string, std::string>> keyed;
    fs::directory_iterator entries(*real, error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        std::string name = entries->path().filename().string();
        if (!name.empty() && name.front() != '.' && leadsToFolder(*entries))
            keyed.emplace_back(lowerCase(name), std::move(name));
        // A link may have led to another mount: back to this folder's, unless it has stopped
        // answering meanwhile.
        std::error_code linkError;
        if (entries->is_symlink(linkError) && !MountGuard::mayTouch(*real))
            return std::nullopt;
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
    return orvane::listMatchingFiles(folder, pattern, limit);
}

void PosixFileSystem::listMatchingFiles(const std::string& folder, const std::string& pattern,
                                        std::size_t, const std::function<void(FileBatch)>& found)
{
    listMatchingFilesInBatches(folder, pattern, kBatchEvery, found);
}

} // namespace orvane
