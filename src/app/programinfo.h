#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvane {

// The program's version, shown by the About window and --version.
inline constexpr const char* kVersion = "2.1";
// The program's title, the main window's caption.
inline constexpr const char* kProgramTitle = "Vemor's 32-bit Music Player";

// What to print instead of starting when the arguments ask for it: the usage for "--help" or
// "-h", the version for "--version"; nothing otherwise.
std::optional<std::string> informationRequested(const std::vector<std::string>& arguments);

} // namespace orvane
