// The calling thread's state in a fiber-local slot, whose callback the system
// runs when the thread (or fiber) ends and, for every thread still holding a
// state, when the slot is freed as the DLL unloads. A fiber-local value also
// keeps the state of fibers that share a thread apart.

#include "platform/platform.h"
#include "platform/windows/library_module.h"

#include <atomic>

namespace TarnLinkPrivate {
namespace Platform {

namespace {

std::atomic<ThreadStateRelease> gRelease{nullptr};

void WINAPI ReleaseAtThreadEnd(void* state)
{
    if (state != nullptr) {
        gRelease.load()(state);
    }
}

// FLS_OUT_OF_INDEXES before the first state is kept, when the system had no
// slot left, and once the slot is freed.
std::atomic<DWORD> gSlot{FLS_OUT_OF_INDEXES};

DWORD TheSlot()
{
    static const bool allocated = [] {
        gSlot.store(FlsAlloc(ReleaseAtThreadEnd));
        return true;
    }();
    static_cast<void>(allocated);
    return gSlot.load();
}

} // namespace

void* ThreadState()
{
    const DWORD slot = gSlot.load(std::memory_order_relaxed);
    return slot == FLS_OUT_OF_INDEXES ? nullptr : FlsGetValue(slot);
}

bool KeepThreadState(void* state, ThreadStateRelease release)
{
    gRelease.store(release);
    const DWORD slot = TheSlot();
    return slot != FLS_OUT_OF_INDEXES && FlsSetValue(slot, state);
}

void ReleaseEveryThreadState()
{
    const DWORD slot = gSlot.exchange(FLS_OUT_OF_INDEXES);
    if (slot != FLS_OUT_OF_INDEXES) {
        FlsFree(slot);
    }
}

} // namespace Platform
} // namespace TarnLinkPrivate
