// The calling thread's state in a plain thread-local pointer, read inline
// (platform.h), and its release in a thread-local object whose destructor the
// C++ runtime runs when the thread ends. The runtime keeps the library loaded
// while a thread still has such a destructor to run, so no thread's end calls
// into an unloaded library.

#include "platform/platform.h"

namespace TarnLinkPrivate {
namespace Platform {

thread_local void* tThreadState = nullptr;

namespace {

// Forgets the state before releasing it: should the host's own thread-end code
// execute afterwards, it gets a fresh state rather than a freed one.
struct ReleaseAtThreadEnd {
    ThreadStateRelease release = nullptr;
    ~ReleaseAtThreadEnd()
    {
        void* state = tThreadState;
        tThreadState = nullptr;
        if (state != nullptr && release != nullptr) {
            release(state);
        }
    }
};

thread_local ReleaseAtThreadEnd gReleaseAtThreadEnd;

} // namespace

bool KeepThreadState(void* state, ThreadStateRelease release)
{
    gReleaseAtThreadEnd.release = release;
    tThreadState = state;
    return true;
}

} // namespace Platform
} // namespace TarnLinkPrivate
