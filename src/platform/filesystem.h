#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// What a path names: a music file (.mid, .rmi or .wav), a folder, a file no device plays,
// something that is no ordinary file (a device, a pipe), or nothing; or not known, as its disk
// or share did not answer in time.
enum class PathKind { Music, Folder, Unplayable, NotAFile, Missing, NotReady };

// A folder as the folder list shows it.
struct FolderListing
{
    std::string path;                    // absolute and normal, no separator at the end
    std::vector<std::string> subFolders; // visible ones, by name without regard to case
};

// The files and folders the logic browses and queues.
class FileSystem
{
public:
    virtual ~FileSystem() = default;

    // What `path` names.
    virtual PathKind pathKind(const std::string& path) = 0;
    // Folder `path`, made absolute from the current folder; nothing when it cannot be listed
    // (or its disk is not ready).
    virtual std::optional<FolderListing> readFolder(const std::string& path) = 0;
    // The names of the ordinary, visible files of `folder` that match `pattern` (wildcards
    // separated by ';', case ignored), by name without regard to case, at most `limit`; none
    // when the folder cannot be read.
    virtual std::vector<std::string>
    matchingFiles(const std::string& folder, const std::string& pattern, std::size_t limit) = 0;
};

} // namespace orvane
