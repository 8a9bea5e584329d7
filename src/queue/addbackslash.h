#pragma once

#include "model/pathseparator.h"

#include <string>

namespace orvane {

// `path` with the platform's separator appended unless it already ends in one; an empty
// path gives the separator alone.
inline std::string AddBackslash(const std::string& path)
{
    if (!path.empty() && path.back() == kPathSeparator)
        return path;
    return path + kPathSeparator;
}

} // namespace orvane
