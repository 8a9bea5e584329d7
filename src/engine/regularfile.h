#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace orvane {

// A file opened for reading only if it is a regular file. Opening never waits: a named pipe, a
// device, a socket or a folder is refused before anything reads from it, so a queued file that
// was swapped for a pipe cannot hang the player.
class RegularFile
{
public:
    // `path` opened for reading; an empty object, with `error` set, when it cannot be opened or is
    // not a regular file.
    static RegularFile open(const std::string& path, std::string& error);

    RegularFile() = default;
    ~RegularFile();
    RegularFile(RegularFile&& other) noexcept;
    RegularFile& operator=(RegularFile&& other) noexcept;
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    explicit operator bool() const { return m_descriptor >= 0; }
    int descriptor() const { return m_descriptor; }
    // Size in bytes when it was opened.
    std::uint64_t size() const { return m_size; }
    // Reads up to `count` bytes from `offset` on; how many were read (fewer only at the end of
    // the file), or -1 on a read error.
    long long readAt(void* buffer, std::size_t count, std::uint64_t offset) const;

private:
    RegularFile(int descriptor, std::uint64_t size) : m_descriptor(descriptor), m_size(size) {}

    int m_descriptor = -1;
    std::uint64_t m_size = 0;
};

} // namespace orvane
