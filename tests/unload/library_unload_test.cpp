// A host may unload TarnLink while threads that executed through it go on
// running: their ends must not call into the unloaded library.

#include <gtest/gtest.h>

#ifdef _WIN32
#    define WIN32_LEAN_AND_MEAN
#    include <windows.h>
#else
#    include <dlfcn.h>
#endif

#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using ProbeCall = bool (*)();

#ifdef _WIN32
using Module = HMODULE;
Module Load(const char* path) { return LoadLibraryA(path); }
// Through a generic function pointer, as the compiler asks of a cast from FARPROC.
ProbeCall Find(Module module, const char* name)
{
    return reinterpret_cast<ProbeCall>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}
bool Unload(Module module) { return FreeLibrary(module) != 0; }
// The system frees a DLL nothing holds; other systems may keep a library
// loaded until its threads' ends have run.
void ExpectTarnLinkUnloaded() { EXPECT_EQ(GetModuleHandleA("tarnlink.dll"), nullptr) << "nothing else holds it"; }
#else
using Module = void*;
Module Load(const char* path) { return dlopen(path, RTLD_NOW | RTLD_LOCAL); }
ProbeCall Find(Module module, const char* name) { return reinterpret_cast<ProbeCall>(dlsym(module, name)); }
bool Unload(Module module) { return dlclose(module) == 0; }
void ExpectTarnLinkUnloaded() {}
#endif

class Latch {
public:
    void Open()
    {
        std::lock_guard<std::mutex> hold(mutex_);
        open_ = true;
        opened_.notify_all();
    }
    void Wait()
    {
        std::unique_lock<std::mutex> hold(mutex_);
        opened_.wait(hold, [this] { return open_; });
    }

private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
};

TEST(LibraryUnloadTest, AThreadThatExecutedEndsAfterTheLibraryIsUnloaded)
{
    Module probe = Load(UNLOAD_PROBE_PATH);
    ASSERT_NE(probe, nullptr);
    const ProbeCall start = Find(probe, "ProbeStart");
    const ProbeCall execute = Find(probe, "ProbeExecute");
    const ProbeCall stop = Find(probe, "ProbeStop");
    ASSERT_TRUE(start && execute && stop);
    ASSERT_TRUE(start());

    Latch executed;
    Latch unloaded;
    bool executedOnThread = false;
    std::thread worker([&] {
        executedOnThread = execute();
        executed.Open();
        unloaded.Wait();
    });
    executed.Wait();
    EXPECT_TRUE(executedOnThread);
    EXPECT_TRUE(execute()) << "the main thread executes too";
    EXPECT_TRUE(stop());
    EXPECT_TRUE(Unload(probe));
    ExpectTarnLinkUnloaded();

    unloaded.Open();
    worker.join();
}

} // namespace
