#include <atomic>
#include <thread>

#include "virtual_device_fixture.h"

namespace VirtualDeviceTests {
namespace {

using TarnLink::TarnCommandFactory;

constexpr int kThreads = 4;
constexpr int kRounds = 100;

// Each thread owns a channel and checks that it reads back what it sent,
// while another thread reads the log and injects and clears faults of a
// command nobody executes.
TEST_F(VirtualDeviceTest, ThreadsExecutingThroughOneDeviceSeeTheirOwnData)
{
    std::atomic<int> mismatches{0};
    std::atomic<bool> done{false};
    std::thread observer([&] {
        while (!done) {
            device_.GetPacketLog();
            device_.InjectFaultForCommand("SampleRate", TarnLink::VirtualFault::kTimeOut);
            device_.ClearFaults();
        }
    });
    std::vector<std::thread> workers;
    for (int thread = 0; thread < kThreads; ++thread) {
        workers.emplace_back([&, thread] {
            const auto channel = static_cast<unsigned char>(10 + thread);
            for (int round = 0; round < kRounds; ++round) {
                const auto mute = static_cast<unsigned char>(round & 1);
                TarnLink::TarnCommand send = MuteCommand(channel, mute);
                TarnLink::TarnCommand read = MuteRequest(channel);
                unsigned char value = 0xEE;
                if (!TarnCommandFactory::Execute(send) || !TarnCommandFactory::Execute(read) ||
                    !read.GetParamUInt8("Mute", value) || value != mute) {
                    ++mismatches;
                }
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    done = true;
    observer.join();
    EXPECT_EQ(mismatches, 0);
    EXPECT_EQ(device_.GetPacketLog().size(), static_cast<std::size_t>(kThreads * kRounds * 2));
}

TEST_F(VirtualDeviceTest, ItsLockIsReentrant)
{
    device_.Lock();
    device_.Lock();
    TarnLink::TarnCommand read = MuteRequest(1);
    EXPECT_TRUE(TarnCommandFactory::Execute(read)) << "Execute takes the lock once more on the same thread";
    device_.Unlock();
    device_.Unlock();
}

} // namespace
} // namespace VirtualDeviceTests
