#ifndef TARNLINK_HWCAPS_NAME_ARENA_H
#define TARNLINK_HWCAPS_NAME_ARENA_H

// Names kept for the life of one capability set, packed into blocks: the
// hundreds of property, command and parameter names of the shipped files cost
// a few allocations instead of one each. Each kept name is followed by a NUL,
// so its view can also serve as a C string.

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace TarnLinkPrivate {

class NameArena {
public:
    NameArena() = default;
    NameArena(const NameArena&) = delete; // the views it gives out point into it
    NameArena& operator=(const NameArena&) = delete;

    // A copy of name that lasts as long as the arena.
    std::string_view Keep(std::string_view name);

private:
    static constexpr std::size_t kBlockSize = 4096;

    std::vector<std::unique_ptr<char[]>> blocks_;
    char* next_ = nullptr; // free space of the last block
    std::size_t left_ = 0;
};

} // namespace TarnLinkPrivate

#endif
