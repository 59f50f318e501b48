// Embedded items from the compiled-in table, in manifest order.

#include "platform/platform.h"
#include "platform/posix/compiled_in_items.h"

namespace TarnLinkPrivate {
namespace Platform {

bool EmbeddedItemName(int kind, std::size_t index, std::string& name)
{
    const std::size_t count = CompiledInItemCount();
    std::size_t seen = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const CompiledInItem& item = CompiledInItemAt(i);
        if (item.kind == kind && seen++ == index) {
            name = item.name != nullptr ? item.name : "";
            return true;
        }
    }
    return false;
}

bool LoadEmbeddedItem(int kind, const std::string& name, EmbeddedBytes& bytes)
{
    const std::size_t count = CompiledInItemCount();
    for (std::size_t i = 0; i < count; ++i) {
        const CompiledInItem& item = CompiledInItemAt(i);
        if (item.kind == kind && item.name != nullptr && name == item.name) {
            if (item.bytes == nullptr) {
                return false;
            }
            bytes.data = item.bytes;
            bytes.size = item.size;
            return true;
        }
    }
    return false;
}

} // namespace Platform
} // namespace TarnLinkPrivate
