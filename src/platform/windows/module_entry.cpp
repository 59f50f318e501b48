// The DLL's entry point.

#include "platform/windows/library_module.h"

namespace {

constexpr char kThreadCallsNotDisabled[] = "TarnLink - could not disable thread library calls.";

} // namespace

// The library's per-thread state is released through fiber-local storage, so
// the system need not call in at every thread start and end. Loading goes on
// even when it cannot be told so. An unload by FreeLibrary releases the state
// of threads that go on running; at process exit there is nothing to release.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        TarnLinkPrivate::Platform::RememberLibraryModule(instance);
        if (!DisableThreadLibraryCalls(instance)) {
            OutputDebugStringA(kThreadCallsNotDisabled);
        }
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        TarnLinkPrivate::Platform::ReleaseEveryThreadState();
    }
    return TRUE;
}
