#pragma once

namespace orvane {

// The separator between a folder and the name after it.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

} // namespace orvane
