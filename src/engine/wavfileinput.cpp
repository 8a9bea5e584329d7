#include "engine/wavfileinput.h"

namespace orvane {

std::unique_ptr<WavFileInput> WavFileInput::open(const std::string& path, std::string& error)
{
    auto input = std::make_unique<WavFileInput>();
    input->m_file = RegularFile::open(path, error);
    if (!input->m_file)
        return nullptr;
    input->m_fix = findWavDataSizeFix(input->m_file);
    return input;
}

SF_VIRTUAL_IO& WavFileInput::io()
{
    static SF_VIRTUAL_IO calls{&length, &seek, &read, &write, &tell};
    return calls;
}

sf_count_t WavFileInput::length(void* user)
{
    return static_cast<sf_count_t>(of(user).m_file.size());
}

sf_count_t WavFileInput::seek(sf_count_t offset, int whence, void* user)
{
    WavFileInput& input = of(user);
    const sf_count_t base = whence == SEEK_CUR   ? input.m_position
                            : whence == SEEK_END ? length(user)
                                                 : 0;
    if (offset < -base)
        return -1;
    input.m_position = base + offset;
    return input.m_position;
}

sf_count_t WavFileInput::read(void* buffer, sf_count_t count, void* user)
{
    WavFileInput& input = of(user);
    if (count <= 0)
        return 0;
    const long long got = input.m_file.readAt(buffer, static_cast<std::size_t>(count),
                                              static_cast<std::uint64_t>(input.m_position));
    if (got <= 0)
        return 0;
    if (input.m_fix)
        input.applyFix(static_cast<std::uint8_t*>(buffer), got);
    input.m_position += got;
    return got;
}

void WavFileInput::applyFix(std::uint8_t* bytes, long long count) const
{
    for (std::uint64_t i = 0; i < 4; ++i) {
        const std::uint64_t at = m_fix->offset + i;
        const auto begin = static_cast<std::uint64_t>(m_position);
        if (at >= begin && at < begin + static_cast<std::uint64_t>(count))
            bytes[at - begin] = static_cast<std::uint8_t>(m_fix->size >> (8 * i));
    }
}

} // namespace orvane
