#include "hwcaps/capability_arena.h"

#include <cstring>

namespace TarnLinkPrivate {

std::string_view CapabilityArena::Keep(std::string_view name)
{
    auto* kept = static_cast<char*>(memory_.allocate(name.size() + 1, 1));
    if (!name.empty()) {
        std::memcpy(kept, name.data(), name.size());
    }
    kept[name.size()] = '\0';
    return std::string_view(kept, name.size());
}

} // namespace TarnLinkPrivate
