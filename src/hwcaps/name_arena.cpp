#include "hwcaps/name_arena.h"

#include <algorithm>
#include <cstring>

namespace TarnLinkPrivate {

std::string_view NameArena::Keep(std::string_view name)
{
    const std::size_t needed = name.size() + 1;
    if (needed > left_) {
        const std::size_t blockSize = std::max(kBlockSize, needed);
        blocks_.emplace_back(new char[blockSize]);
        next_ = blocks_.back().get();
        left_ = blockSize;
    }
    char* kept = next_;
    if (!name.empty()) {
        std::memcpy(kept, name.data(), name.size());
    }
    kept[name.size()] = '\0';
    next_ += needed;
    left_ -= needed;
    return std::string_view(kept, name.size());
}

} // namespace TarnLinkPrivate
