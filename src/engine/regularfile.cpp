#include "engine/regularfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace orvane {

namespace {

// Why a file of this type is not opened; empty for a regular file.
std::string kindProblem(mode_t mode)
{
    if (S_ISREG(mode))
        return {};
    const char* kind = S_ISDIR(mode)                    ? "a folder"
                       : S_ISFIFO(mode)                 ? "a named pipe"
                       : S_ISSOCK(mode)                 ? "a socket"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                                                        : "a special file";
    return std::string(kind) + ", not a regular file";
}

} // namespace

RegularFile RegularFile::open(const std::string& path, std::string& error)
{
    // Looked at before opening, so that opening a device cannot set it going.
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0) {
        error = std::strerror(errno);
        return {};
    }
    if (error = kindProblem(info.st_mode); !error.empty())
        return {};

    // O_NONBLOCK: should the name have become a pipe since, opening it does not wait for a writer.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (descriptor < 0) {
        error = std::strerror(errno);
        return {};
    }
    RegularFile file(descriptor, 0);
    if (::fstat(descriptor, &info) != 0) {
        error = std::strerror(errno);
        return {};
    }
    if (error = kindProblem(info.st_mode); !error.empty())
        return {};
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        error = std::strerror(errno);
        return {};
    }
    file.m_size = static_cast<std::uint64_t>(info.st_size);
    return file;
}

RegularFile::~RegularFile()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

RegularFile::RegularFile(RegularFile&& other) noexcept
    : m_descriptor(std::exchange(other.m_descriptor, -1)), m_size(other.m_size)
{
}

RegularFile& RegularFile::operator=(RegularFile&& other) noexcept
{
    if (this != &other) {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
        m_descriptor = std::exchange(other.m_descriptor, -1);
        m_size = other.m_size;
    }
    return *this;
}

long long RegularFile::readAt(void* buffer, std::size_t count, std::uint64_t offset) const
{
    auto* bytes = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got =
            ::pread(m_descriptor, bytes + done, count - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return static_cast<long long>(done);
}

} // namespace orvane
