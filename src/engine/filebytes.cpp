#include "engine/filebytes.h"

#include "engine/regularfile.h"

namespace orvane {

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path,
                                                       std::size_t maxBytes, std::string& error)
{
    const RegularFile file = RegularFile::open(path, error);
    if (!file)
        return std::nullopt;
    if (file.size() > maxBytes) {
        error = "too large (" + std::to_string(file.size()) + " bytes)";
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(file.size()));
    const long long read = file.readAt(bytes.data(), bytes.size(), 0);
    if (read < 0) {
        error = "read error";
        return std::nullopt;
    }
    bytes.resize(static_cast<std::size_t>(read)); // a file that shrank since is read as it is now
    return bytes;
}

} // namespace orvane
