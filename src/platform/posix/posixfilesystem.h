#pragma once

#include "platform/filesystem.h"

namespace orvane {

// The file system as POSIX shows it.
class PosixFileSystem : public FileSystem
{
public:
    PathKind pathKind(const std::string& path) override;
    std::optional<FolderListing> readFolder(const std::string& path) override;
    std::vector<std::string> matchingFiles(const std::string& folder, const std::string& pattern,
                                           std::size_t limit) override;
    // All before it returns, in a batch every 100 ms while names come.
    void listMatchingFiles(const std::string& folder, const std::string& pattern, std::size_t limit,
                           const std::function<void(FileBatch)>& found) override;
};

} // namespace orvane
