// Embedded items as resources of the library's own module: kind 1 under the
// resource type "RT_TCD_FILE", kind 2 under "RT_HWC_FILE" (resources/tarnlink.rc).

#include "platform/platform.h"
#include "platform/windows/library_module.h"

#include <cstdio>

namespace TarnLinkPrivate {
namespace Platform {

namespace {

const char* ResourceTypeOfKind(int kind)
{
    switch (kind) {
    case 1:
        return "RT_TCD_FILE";
    case 2:
        return "RT_HWC_FILE";
    default:
        return nullptr;
    }
}

// A resource named by a number is spelled "#<number>", which FindResourceA
// accepts back.
std::string ResourceNameText(LPCSTR name)
{
    if (IS_INTRESOURCE(name)) {
        char text[16];
        std::snprintf(text, sizeof text, "#%u", static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name)));
        return text;
    }
    return name;
}

BOOL CALLBACK CollectResourceName(HMODULE /*module*/, LPCSTR /*type*/, LPSTR name, LONG_PTR names)
{
    reinterpret_cast<std::vector<std::string>*>(names)->push_back(ResourceNameText(name));
    return TRUE;
}

} // namespace

std::vector<std::string> ListEmbeddedItems(int kind)
{
    std::vector<std::string> names;
    const char* type = ResourceTypeOfKind(kind);
    if (type != nullptr) {
        // A module without resources of the type fails the call and lists nothing.
        EnumResourceNamesA(LibraryModule(), type, CollectResourceName, reinterpret_cast<LONG_PTR>(&names));
    }
    return names;
}

bool LoadEmbeddedItem(int kind, const std::string& name, EmbeddedBytes& bytes)
{
    const char* type = ResourceTypeOfKind(kind);
    if (type == nullptr) {
        return false;
    }
    const HMODULE module = LibraryModule();
    const HRSRC located = FindResourceA(module, name.c_str(), type);
    if (located == nullptr) {
        return false;
    }
    const HGLOBAL loaded = LoadResource(module, located);
    if (loaded == nullptr) {
        return false;
    }
    const void* data = LockResource(loaded);
    if (data == nullptr) {
        return false;
    }
    bytes.data = static_cast<const unsigned char*>(data);
    bytes.size = SizeofResource(module, located);
    return true;
}

} // namespace Platform
} // namespace TarnLinkPrivate
