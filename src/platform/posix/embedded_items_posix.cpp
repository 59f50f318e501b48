// Embedded items from the compiled-in table, in manifest order.

#include "platform/platform.h"
#include "platform/posix/compiled_in_items.h"

namespace TarnLinkPrivate {
namespace Platform {

std::vector<std::string> ListEmbeddedItems(int kind)
{
    std::vector<std::string> names;
    const std::size_t count = CompiledInItemCount();
    for (std::size_t i = 0; i < count; ++i) {
        const CompiledInItem& item = CompiledInItemAt(i);
        if (item.kind == kind) {
            names.emplace_back(item.name != nullptr ? item.name : "");
        }
    }
    return names;
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
