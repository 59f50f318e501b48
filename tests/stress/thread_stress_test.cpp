// Threads at once: executions through several conduits, listeners and
// conduits installed and removed, capability questions with detection, and
// direct compilation of a definition with variable-length data. Built with
// ThreadSanitizer (the tsan preset) this shows the library's shared state
// free of data races when the host keeps the threading rules of
// docs/runtime.md: installs and removals, and detection, hold the current
// conduit's lock, so that they never overlap an execution.

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "dictionary/tcd_parser.h"
#include "runtime/runtime_fixture.h"
#include "tarnlink/TarnHWCaps.h"
#include "tarnlink/TarnHWCapsQueries.h"

namespace {

constexpr int kRounds = 60;

// Holds a conduit's lock for one scope, as the library itself does.
class ConduitLock {
public:
    explicit ConduitLock(TarnLink::TarnConduit& conduit) : conduit_(conduit) { conduit_.Lock(); }
    ~ConduitLock() { conduit_.Unlock(); }
    ConduitLock(const ConduitLock&) = delete;
    ConduitLock& operator=(const ConduitLock&) = delete;

private:
    TarnLink::TarnConduit& conduit_;
};

// Answers RtLevel requests with the level equal to the channel asked for.
bool EchoLevel(const ScriptedConduit::Request& request, TarnCommandByteCode& response)
{
    const unsigned char channel = request.packet.back();
    const Bytes answer = ScriptedConduit::ResponseTo(request.packet, {channel, 0, channel});
    return response.CopyByteCodePacketBuffer(answer.data(), answer.size());
}

class ThreadStressTest : public RuntimeTest {
protected:
    void SetUp() override
    {
        RuntimeTest::SetUp();
        conduit.SetResponder(EchoLevel);
        for (std::size_t i = 0; i < carriers_.size(); ++i) {
            carriers_[i].SetResponder(EchoLevel);
            ASSERT_TRUE(TarnCommandFactory::InstallTargetConduit(&carriers_[i], CarrierId(i)));
        }
        // Installing made the last carrier current; the scripted conduit is again.
        TarnCommandFactory::InstallTargetConduit(&conduit, 1);
    }

    static std::int32_t CarrierId(std::size_t index) { return static_cast<std::int32_t>(index) + 2; }

    // Executes RtLevel requests through the current conduit and each carrier;
    // counts the answers that came back right. The library reads which
    // conduit is current before it takes that conduit's lock, so a host that
    // changes the current conduit while others execute holds the lock around
    // its executions too.
    void Execute(int thread)
    {
        for (int round = 0; round < kRounds; ++round) {
            const std::int32_t conduitId = round % 3 == 0 ? 0 : CarrierId(static_cast<std::size_t>(round % 2));
            TarnCommand command("RtLevel", conduitId);
            command.SetupRequestDataCommand();
            const auto channel = static_cast<unsigned char>(thread * kRounds + round);
            command.SetParamUInt8("Channel", channel);
            short level = -1;
            bool executed = false;
            {
                ConduitLock lock(conduit);
                executed = TarnCommandFactory::Execute(command);
            }
            if (executed && command.GetParamInt16("Level", level) && level == channel) {
                ++answered_;
            }
        }
    }

    void InstallAndRemoveListeners()
    {
        for (int round = 0; round < kRounds; ++round) {
            RecordingCompileListener compiled;
            RecordingExecutionListener executed;
            std::vector<std::string> calls;
            RecordingTransmitListener transmitted(round, &calls, "transmit");
            {
                ConduitLock lock(conduit);
                EXPECT_TRUE(TarnCommandFactory::InstallTarnCompileListener(&compiled));
                EXPECT_TRUE(TarnCommandFactory::InstallTarnExecutionListener(&executed));
                EXPECT_TRUE(TarnCommandFactory::InstallTarnTransmitListener(&transmitted));
            }
            std::this_thread::yield();
            ConduitLock lock(conduit);
            EXPECT_TRUE(TarnCommandFactory::RemoveTarnCompileListener(&compiled));
            EXPECT_TRUE(TarnCommandFactory::RemoveTarnExecutionListener(&executed));
            EXPECT_TRUE(TarnCommandFactory::RemoveTarnTransmitListener(&transmitted));
        }
    }

    // Installing makes a conduit current: the spare goes in and out, and the
    // scripted conduit is made current again, all under its lock.
    void InstallAndRemoveConduits()
    {
        ScriptedConduit spare;
        spare.SetResponder(EchoLevel);
        for (int round = 0; round < kRounds; ++round) {
            {
                ConduitLock lock(conduit);
                EXPECT_TRUE(TarnCommandFactory::InstallTargetConduit(&spare, 9));
                TarnCommandFactory::InstallTargetConduit(&conduit, 1);
            }
            std::this_thread::yield();
            ConduitLock lock(conduit);
            EXPECT_TRUE(TarnCommandFactory::RemoveTargetConduit(&spare, 9));
        }
    }

    // Detection executes its identification commands; the questions read
    // the set it settled on.
    void DetectAndAsk()
    {
        for (int round = 0; round < kRounds / 4; ++round) {
            {
                ConduitLock lock(conduit);
                TarnLink::HWCaps::TarnHWCapsManager::Instance()->UpdateHWCaps();
            }
            std::int32_t channels = 0;
            char name[32] = {};
            TarnLink::HWCaps::GetSupportsHD();
            TarnLink::HWCaps::GetMaxAudioChannels(&channels);
            TarnLink::HWCaps::GetPeripheralName(name, sizeof name);
        }
    }

    // RtTypes ends in a byte stream: every compilation rewrites its layout.
    void CompileVariableLength()
    {
        for (int round = 0; round < kRounds; ++round) {
            TarnCommand command("RtTypes");
            command.SetParamInt8("I8", 1);
            command.SetParamUInt8("U8", 2);
            command.SetParamInt16("I16", 3);
            command.SetParamUInt16("U16", 4);
            command.SetParamInt32("I32", 5);
            command.SetParamUInt32("U32", 6);
            command.SetParamInt64("I64", 7);
            command.SetParamUInt64("U64", 8);
            const std::string blob(static_cast<std::size_t>(round * 30 + 1), 'b');
            command.SetParamByteStream("Blob", blob.data(), blob.size());
            TarnCommandByteCode packet;
            std::uint32_t timeout = 0;
            TarnLink::CommandStatus_t status = TarnLink::kTLFail;
            std::size_t length = 0;
            if (TarnCommandFactory::CompileTarnByteCode(command, packet, &timeout, &status) &&
                packet.GetPacketByteCodeBufferLength(&length) && length == 8 + 30 + blob.size()) {
                ++compiled_;
            }
        }
    }

    std::array<ScriptedConduit, 2> carriers_;
    std::atomic<int> answered_{0};
    std::atomic<int> compiled_{0};
};

TEST_F(ThreadStressTest, ExecutionsInstallsDetectionAndCompilationRunTogether)
{
    // Detection that finds no hardware says so; only its thread writes.
    CoutCapture detectionNotes;
    std::vector<std::thread> threads;
    constexpr int kExecutors = 3;
    for (int t = 0; t < kExecutors; ++t) {
        threads.emplace_back([this, t] { Execute(t); });
    }
    threads.emplace_back([this] { InstallAndRemoveListeners(); });
    threads.emplace_back([this] { InstallAndRemoveConduits(); });
    threads.emplace_back([this] { DetectAndAsk(); });
    threads.emplace_back([this] { CompileVariableLength(); });
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(answered_, kExecutors * kRounds);
    EXPECT_EQ(compiled_, kRounds);
    EXPECT_EQ(conduit.LockCount(), conduit.UnlockCount());
}

// A host may share one const command between threads that compile it. This
// one was named before the dictionary grew, so every compilation looks its
// definition up afresh, and none of them writes to the command.
TEST_F(ThreadStressTest, OneConstCommandCompilesOnSeveralThreadsAtOnce)
{
    TarnCommand command("RtLevel");
    command.SetParamUInt8("Channel", 9);
    command.SetParamInt16("Level", -2);
    std::istringstream later("RtLater Tarn CommandTypeMajor DIAGNOSTIC CommandTypeMinor 63 Function 120 ;\n");
    ASSERT_TRUE(TarnLinkPrivate::ParseTCDFile(later, "later.tcd"));
    const TarnCommand& shared = command;
    const Bytes expected = {0x0B, 0x0B, 0x00, 0x07, 0xFF, 0xC8, 0x00, 0x00, 0x09, 0xFF, 0xFE};
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t) {
        threads.emplace_back([this, &shared, &expected] {
            TarnCommandByteCode packet;
            for (int round = 0; round < kRounds; ++round) {
                if (TarnCommandFactory::CompileTarnByteCode(shared, packet, nullptr, nullptr) &&
                    PacketOf(packet) == expected) {
                    ++compiled_;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(compiled_, 3 * kRounds);
}

} // namespace
