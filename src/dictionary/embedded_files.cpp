// The definition and capability files carried inside the library.

#include <sstream>

#include "dictionary/tcd_file_processor.h"
#include "platform/platform.h"
#include "platform/process_wide.h"

namespace TarnLinkPrivate {

namespace {

// A reader meets the end of an item's last word at this blank.
constexpr char kAddedBlank[] = " ";

struct EnabledKinds {
    bool definitions = true;
    bool capabilities = true;
};

EnabledKinds& Enabled() { return ProcessWide<EnabledKinds>(); }

bool IsKindEnabled(int kind)
{
    if (kind == static_cast<int>(EmbeddedFileKind::kTcd)) {
        return Enabled().definitions;
    }
    if (kind == static_cast<int>(EmbeddedFileKind::kHwc)) {
        return Enabled().capabilities;
    }
    return false;
}

} // namespace

void SetEmbeddedFilesEnabled(bool definitions, bool capabilities)
{
    Enabled().definitions = definitions;
    Enabled().capabilities = capabilities;
}

std::unique_ptr<std::istream> OpenEmbeddedFile(int index, int kind, std::string& name)
{
    if (index < 0 || !IsKindEnabled(kind)) {
        return nullptr;
    }
    const std::vector<std::string> names = Platform::ListEmbeddedItems(kind);
    if (static_cast<std::size_t>(index) >= names.size()) {
        return nullptr;
    }
    name = names[static_cast<std::size_t>(index)];
    Platform::EmbeddedBytes bytes;
    if (!Platform::LoadEmbeddedItem(kind, name, bytes) || bytes.data == nullptr || bytes.size == 0) {
        return nullptr;
    }
    std::string text;
    text.reserve(bytes.size + sizeof kAddedBlank);
    text.append(reinterpret_cast<const char*>(bytes.data), bytes.size).append(kAddedBlank);
    return std::make_unique<std::istringstream>(std::move(text));
}

} // namespace TarnLinkPrivate
