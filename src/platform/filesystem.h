#pragma once

#include <cstddef>
#include <functional>
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

// Part of a file listing: names in order by name without regard to case.
struct FileBatch
{
    std::vector<std::string> names;
    bool last = true; // no more come
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
    // The same names in batches as they are found, the last one marked: what is found within
    // the file system's wait before this returns, the rest of a slow listing later, on the
    // calling thread's event loop. The first `limit` names of all the batches are the listing.
    virtual void listMatchingFiles(const std::string& folder, const std::string& pattern,
                                   std::size_t limit, const std::function<void(FileBatch)>& found)
    {
        found({matchingFiles(folder, pattern, limit), true});
    }
};

} // namespace orvane
