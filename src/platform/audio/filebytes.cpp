#include "platform/audio/filebytes.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace orvane {

std::optional<std::vector<std::uint8_t>> readFileBytes(const std::string& path,
                                                       std::size_t maxBytes, std::string& error)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        error = "not a regular file";
        return std::nullopt;
    }
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        error = "too large (" + std::to_string(info.st_size) + " bytes)";
        return std::nullopt;
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), file.get());
    bytes.resize(read); // a file that shrank since stat() is read as it is now
    if (std::ferror(file.get())) {
        error = "read error";
        return std::nullopt;
    }
    return bytes;
}

} // namespace orvane
