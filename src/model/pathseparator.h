#pragma once

namespace orvane {

// The separator between a folder and the name after it.
inline constexpr char kPathSeparator = '/';

} // namespace orvane
