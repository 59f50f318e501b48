#ifndef TARNLINK_HWCAPS_CAPABILITY_ARENA_H
#define TARNLINK_HWCAPS_CAPABILITY_ARENA_H

// Memory for the life of one capability set: its names and the nodes of its
// containers, packed into a few blocks and freed together. The shipped files
// hold hundreds of properties, command values and names, which would
// otherwise cost an allocation each at start-up and a free each at Terminate.

#include <memory_resource>
#include <string_view>

namespace TarnLinkPrivate {

class CapabilityArena {
public:
    CapabilityArena() = default;
    CapabilityArena(const CapabilityArena&) = delete; // what it gives out points into it
    CapabilityArena& operator=(const CapabilityArena&) = delete;

    // A copy of name, followed by a NUL so that it can also serve as a C
    // string.
    std::string_view Keep(std::string_view name);
    std::pmr::memory_resource* Memory() { return &memory_; }

private:
    std::pmr::monotonic_buffer_resource memory_;
};

} // namespace TarnLinkPrivate

#endif
