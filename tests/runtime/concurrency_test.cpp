#include "runtime_fixture.h"

#include <atomic>
#include <thread>

namespace {

using ConcurrencyTest = RuntimeTest;

TEST_F(ConcurrencyTest, ThreadsSerializeOnTheCurrentConduitsLock)
{
    std::atomic<int> inFlight{0};
    std::atomic<bool> overlapped{false};
    conduit.SetResponder([&](const ScriptedConduit::Request& request, TarnCommandByteCode& response) {
        if (++inFlight > 1) {
            overlapped = true;
        }
        std::this_thread::yield();
        // Echo the channel and answer with a level equal to it.
        const unsigned char channel = request.packet.back();
        const Bytes answer = ScriptedConduit::ResponseTo(request.packet, {channel, 0, channel});
        response.CopyByteCodePacketBuffer(answer.data(), answer.size());
        --inFlight;
        return true;
    });

    constexpr int kThreads = 4;
    constexpr int kRounds = 50;
    std::atomic<int> correct{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&correct, t] {
            for (int round = 0; round < kRounds; ++round) {
                TarnCommand command("RtLevel");
                command.SetupRequestDataCommand();
                const auto channel = static_cast<unsigned char>(t * kRounds + round);
                command.SetParamUInt8("Channel", channel);
                short level = -1;
                if (TarnCommandFactory::Execute(command) && command.GetParamInt16("Level", level) && level == channel) {
                    ++correct;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(correct, kThreads * kRounds);
    EXPECT_FALSE(overlapped);
    EXPECT_EQ(conduit.Requests().size(), static_cast<std::size_t>(kThreads * kRounds));
    EXPECT_EQ(conduit.LockCount(), conduit.UnlockCount());
}

TEST_F(ConcurrencyTest, ListenerExecutesFurtherCommandsFromInsideItsCall)
{
    RecordingExecutionListener listener;
    bool nestedResult = false;
    listener.reaction = [&nestedResult](TarnCommand& command) {
        if (std::string(command.GetCommandName()) == "RtLevel") {
            TarnCommand meta("RtBlobBare");
            nestedResult = TarnCommandFactory::Execute(meta);
        }
    };
    Install(&listener);
    conduit.SetResponder([](const ScriptedConduit::Request& request, TarnCommandByteCode& response) {
        const Bytes answer =
            ScriptedConduit::ResponseTo(request.packet, request.packet.size() == 9 ? Bytes{3, 0, 1} : Bytes{});
        response.CopyByteCodePacketBuffer(answer.data(), answer.size());
        return true;
    });

    TarnCommand command = LevelRequest();
    EXPECT_TRUE(TarnCommandFactory::Execute(command));
    EXPECT_TRUE(nestedResult);
    EXPECT_EQ(listener.executed, std::vector<std::string>{"RtLevel"}) << "meta commands notify no listener";
    std::vector<std::string> carried;
    for (const auto& request : conduit.Requests()) {
        carried.push_back(request.commandName);
    }
    EXPECT_EQ(carried, (std::vector<std::string>{"RtLevel", "RtBlobStart", "RtBlobStop"}));
    EXPECT_EQ(conduit.LockCount(), 4) << "the outer execution, the meta command and its two packets";
    EXPECT_EQ(conduit.UnlockCount(), 4);
}

} // namespace
