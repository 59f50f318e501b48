// The definition and capability files carried inside the library.

#include <sstream>

#include "dictionary/tcd_file_processor.h"
#include "platform/platform.h"

namespace TarnLinkPrivate {

namespace {

// A reader meets the end of an item's last word at this blank.
constexpr char kAddedBlank[] = " ";

bool gDefinitionsEnabled = true;
bool gCapabilitiesEnabled = true;

bool IsKindEnabled(int kind)
{
    if (kind == static_cast<int>(EmbeddedFileKind::kTcd)) {
        return gDefinitionsEnabled;
    }
    if (kind == static_cast<int>(EmbeddedFileKind::kHwc)) {
        return gCapabilitiesEnabled;
    }
    return false;
}

// The index-th item of the kind, in manifest order; null past the end.
const Platform::EmbeddedItem* FindItem(int index, int kind)
{
    int seen = 0;
    const std::size_t count = Platform::EmbeddedItemCount();
    for (std::size_t i = 0; i < count; ++i) {
        const Platform::EmbeddedItem& item = Platform::EmbeddedItemAt(i);
        if (item.kind != kind) {
            continue;
        }
        if (seen == index) {
            return &item;
        }
        ++seen;
    }
    return nullptr;
}

} // namespace

void SetEmbeddedFilesEnabled(bool definitions, bool capabilities)
{
    gDefinitionsEnabled = definitions;
    gCapabilitiesEnabled = capabilities;
}

std::unique_ptr<std::istream> OpenEmbeddedFile(int index, int kind, std::string& name)
{
    if (index < 0 || !IsKindEnabled(kind)) {
        return nullptr;
    }
    const Platform::EmbeddedItem* item = FindItem(index, kind);
    if (item == nullptr) {
        return nullptr;
    }
    name = item->name != nullptr ? item->name : "";
    if (item->bytes == nullptr || item->size == 0) {
        return nullptr;
    }
    std::string text(reinterpret_cast<const char*>(item->bytes), item->size);
    text += kAddedBlank;
    return std::make_unique<std::istringstream>(std::move(text));
}

} // namespace TarnLinkPrivate
