// The definition and capability files carried inside the library.

#include "dictionary/embedded_text_stream.h"
#include "dictionary/tcd_file_processor.h"
#include "platform/platform.h"
#include "platform/process_wide.h"

namespace TarnLinkPrivate {

namespace {

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
    if (!Platform::EmbeddedItemName(kind, static_cast<std::size_t>(index), name)) {
        return nullptr;
    }
    Platform::EmbeddedBytes bytes;
    if (!Platform::LoadEmbeddedItem(kind, name, bytes) || bytes.data == nullptr || bytes.size == 0) {
        return nullptr;
    }
    return std::make_unique<EmbeddedTextStream>(reinterpret_cast<const char*>(bytes.data), bytes.size);
}

} // namespace TarnLinkPrivate
