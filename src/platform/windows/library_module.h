#ifndef TARNLINK_PLATFORM_WINDOWS_LIBRARY_MODULE_H
#define TARNLINK_PLATFORM_WINDOWS_LIBRARY_MODULE_H

#include "platform/windows/windows_api.h"

namespace TarnLinkPrivate {
namespace Platform {

// Kept by the module entry when the library is loaded as a DLL.
void RememberLibraryModule(HMODULE module);

// The module whose resources the library reads: the one the module entry
// kept, or, when the library's code is linked into a program directly and no
// entry ran, the module that holds this code.
HMODULE LibraryModule();

// Releases the state of every thread that still holds one and frees its slot,
// so that no thread's end calls into the DLL once it is unloaded.
void ReleaseEveryThreadState();

} // namespace Platform
} // namespace TarnLinkPrivate

#endif
