#include "app/common.h"

#include "platform/systeminfo.h"
#include "text/lowercase.h"

#include <cstdint>

namespace orvane {

bool IsHomeMachine(const SystemInfo& system)
{
    std::string buffer(16, '\0');
    std::uint32_t size = 16;
    system.computerName(buffer.data(), size);
    return lowerCase(TrimAtNul(buffer, 1)).find("kestrow") != std::string::npos;
}

std::string TrimAtNul(const std::string& buffer, int start)
{
    if (start < 1 || static_cast<std::size_t>(start) > buffer.size())
        return {};
    const std::size_t from = static_cast<std::size_t>(start) - 1;
    const std::size_t nul = buffer.find('\0', from);
    return buffer.substr(from, nul == std::string::npos ? std::string::npos : nul - from);
}

} // namespace orvane
