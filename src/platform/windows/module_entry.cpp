// The DLL's entry point.

#include "platform/windows/library_module.h"

namespace {

constexpr char kThreadCallsNotDisabled[] = "TarnLink - could not disable thread library calls.";

} // namespace

// The library keeps no per-thread state, so the system need not call in at
// every thread start and end. Loading goes on even when it cannot be told so.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/)
{
    if (reason == DLL_PROCESS_ATTACH) {
        TarnLinkPrivate::Platform::RememberLibraryModule(instance);
        if (!DisableThreadLibraryCalls(instance)) {
            OutputDebugStringA(kThreadCallsNotDisabled);
        }
    }
    return TRUE;
}
