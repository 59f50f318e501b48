#include "hwcaps/buffer_copy.h"

#include <algorithm>
#include <cstring>

namespace TarnLinkPrivate {

bool NameFits(std::string_view name, std::size_t size, const char* buffer)
{
    return buffer != nullptr && size >= 2 && name.size() < size - 1;
}

bool CopyNameOut(std::string_view name, std::size_t size, char* buffer)
{
    if (!NameFits(name, size, buffer)) {
        return false;
    }
    std::memset(buffer, 0, size);
    std::memcpy(buffer, name.data(), name.size());
    return true;
}

bool CopyValueOut(std::string_view value, std::size_t size, char* buffer)
{
    if (buffer == nullptr || size == 0) {
        return false;
    }
    std::memset(buffer, 0, size);
    std::memcpy(buffer, value.data(), std::min(value.size(), size - 1));
    return true;
}

} // namespace TarnLinkPrivate
