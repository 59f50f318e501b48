// A host may unload TarnLink while threads that executed through it go on
// running: their ends must not call into the unloaded library.

#include <gtest/gtest.h>

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

using ProbeCall = bool (*)();

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

// Through a generic function pointer, as the compiler asks of a cast from FARPROC.
ProbeCall Find(HMODULE probe, const char* name)
{
    return reinterpret_cast<ProbeCall>(reinterpret_cast<void (*)()>(GetProcAddress(probe, name)));
}

TEST(DllUnloadTest, AThreadThatExecutedEndsAfterTheLibraryIsUnloaded)
{
    HMODULE probe = LoadLibraryA("unload_probe.dll");
    ASSERT_NE(probe, nullptr);
    ASSERT_NE(GetModuleHandleA("tarnlink.dll"), nullptr);
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
    EXPECT_TRUE(FreeLibrary(probe));
    EXPECT_EQ(GetModuleHandleA("tarnlink.dll"), nullptr) << "nothing else holds the library";

    unloaded.Open();
    worker.join();
}

} // namespace
