#pragma once

#include <string>

namespace orvane {

// The folder list: the current folder and its parents and sub-folders.
class FolderListControl
{
public:
    virtual ~FolderListControl() = default;

    // The current folder, an absolute path.
    virtual std::string path() const = 0;
    // Opens folder `path` and raises Change before returning; returns false and keeps the
    // folder shown when `path` cannot be opened.
    virtual bool setPath(const std::string& path) = 0;
};

} // namespace orvane
