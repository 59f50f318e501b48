// The calling thread's state through a thread-specific key, whose destructor
// the system runs at thread end, and a plain thread-local copy of the pointer
// for reading it without a call into the system.

#include "platform/platform.h"

#include <pthread.h>

#include <atomic>

namespace TarnLinkPrivate {
namespace Platform {

namespace {

thread_local void* gThreadState = nullptr;
std::atomic<ThreadStateRelease> gRelease{nullptr};

// Forgets the state before releasing it: a later thread-end destructor of
// the host that executes again gets a fresh state, released in the system's
// next round of destructors.
void ReleaseAtThreadEnd(void* state)
{
    gThreadState = nullptr;
    gRelease.load()(state);
}

struct ThreadEndKey {
    pthread_key_t key{};
    bool made = false;
};

// Made once and never deleted: threads may end after the library is shut down.
const ThreadEndKey& TheThreadEndKey()
{
    static const ThreadEndKey made = [] {
        ThreadEndKey key;
        key.made = pthread_key_create(&key.key, ReleaseAtThreadEnd) == 0;
        return key;
    }();
    return made;
}

} // namespace

void* ThreadState() { return gThreadState; }

bool KeepThreadState(void* state, ThreadStateRelease release)
{
    gRelease.store(release);
    const ThreadEndKey& key = TheThreadEndKey();
    if (!key.made || pthread_setspecific(key.key, state) != 0) {
        return false;
    }
    gThreadState = state;
    return true;
}

} // namespace Platform
} // namespace TarnLinkPrivate
