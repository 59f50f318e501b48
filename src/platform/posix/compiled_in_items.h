#ifndef TARNLINK_PLATFORM_POSIX_COMPILED_IN_ITEMS_H
#define TARNLINK_PLATFORM_POSIX_COMPILED_IN_ITEMS_H

// Systems without module resources carry the embedded items as a table that
// the build generates from the resource manifest (cmake/EmbedResources.cmake).

#include <cstddef>

namespace TarnLinkPrivate {
namespace Platform {

struct CompiledInItem {
    int kind;         // 1: definition file, 2: capability file
    const char* name; // the item's name in the manifest
    const unsigned char* bytes;
    std::size_t size;
};

// The items in manifest order.
std::size_t CompiledInItemCount();
const CompiledInItem& CompiledInItemAt(std::size_t index);

} // namespace Platform
} // namespace TarnLinkPrivate

#endif
