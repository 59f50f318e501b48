#include "platform/windows/library_module.h"

// The linker's symbol for the start of the module that a piece of code is
// linked into.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace TarnLinkPrivate {
namespace Platform {

namespace {

HMODULE gLibraryModule = nullptr;

} // namespace

void RememberLibraryModule(HMODULE module) { gLibraryModule = module; }

HMODULE LibraryModule() { return gLibraryModule != nullptr ? gLibraryModule : reinterpret_cast<HMODULE>(&__ImageBase); }

} // namespace Platform
} // namespace TarnLinkPrivate
