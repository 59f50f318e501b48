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

struct NameSearch {
    std::size_t wanted;
    std::size_t seen = 0;
    std::string* name;
    bool found = false;
};

// Stops the enumeration at the wanted resource.
BOOL CALLBACK FindResourceNameAt(HMODULE /*module*/, LPCSTR /*type*/, LPSTR name, LONG_PTR search)
{
    auto& state = *reinterpret_cast<NameSearch*>(search);
    if (state.seen++ != state.wanted) {
        return TRUE;
    }
    *state.name = ResourceNameText(name);
    state.found = true;
    return FALSE;
}

} // namespace

bool EmbeddedItemName(int kind, std::size_t index, std::string& name)
{
    const char* type = ResourceTypeOfKind(kind);
    if (type == nullptr) {
        return false;
    }
    NameSearch search{index, 0, &name};
    // A module without resources of the type fails the call and finds nothing.
    EnumResourceNamesA(LibraryModule(), type, FindResourceNameAt, reinterpret_cast<LONG_PTR>(&search));
    return search.found;
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
