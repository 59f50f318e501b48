#include <atomic>
#include <string>
#include <thread>

#include "net_fixture.h"

namespace NetTests {
namespace {

using TarnLink::TarnCommandFactory;

struct Packets {
    Bytes request;
    Bytes response;
    bool operator==(const Packets& other) const { return request == other.request && response == other.response; }
};

std::vector<Packets> PacketsOf(const std::vector<TarnLink::VirtualPacketExchange>& log)
{
    std::vector<Packets> packets;
    for (const TarnLink::VirtualPacketExchange& exchange : log) {
        packets.push_back(Packets{exchange.request, exchange.response});
    }
    return packets;
}

// Detection, a setting and its read-back, and a meta transfer both ways, in
// a freshly loaded library (which detects the hardware in full).
std::vector<std::string> RunSession(TarnLink::TarnConduit& conduit)
{
    std::vector<std::string> statuses;
    EXPECT_TRUE(TarnCommandFactory::Terminate());
    EXPECT_TRUE(TarnCommandFactory::Initialize());
    EXPECT_TRUE(TarnCommandFactory::InstallTargetConduit(&conduit, kClientConduitId));
    EXPECT_TRUE(TarnCommandFactory::OverrideConduit(&conduit));
    const std::string table(64, 'L');
    TarnLink::TarnCommand upload("LutUpload");
    upload.SetParamByteStream("LutData", table.data(), table.size());
    TarnLink::TarnCommand download("LutUpload");
    download.SetupRequestDataCommand();
    TarnLink::TarnCommand commands[] = {MuteCommand(5, 1), MuteRequest(5), upload, download};
    for (TarnLink::TarnCommand& command : commands) {
        TarnCommandFactory::Execute(command);
        statuses.emplace_back(command.GetStatusAsStringConstant());
    }
    unsigned char muted = 0;
    EXPECT_TRUE(commands[1].GetParamUInt8("Mute", muted));
    EXPECT_EQ(muted, 1);
    char data[80] = {};
    std::size_t length = 0;
    EXPECT_TRUE(commands[3].GetParamByteStream("LutData", data, sizeof(data), &length));
    EXPECT_EQ(std::string(data, length), table);
    TarnCommandFactory::RemoveTargetConduit(&conduit, kClientConduitId);
    return statuses;
}

TEST_F(NetTest, ASessionThroughTheServerExchangesTheSamePacketsAsInProcess)
{
    TarnLink::TarnVirtualDevice inProcess("StudioBox");
    const std::vector<std::string> localStatuses = RunSession(inProcess);

    Serve();
    TarnLink::Net::TcpConduit conduit(Url());
    const std::vector<std::string> networkStatuses = RunSession(conduit);

    EXPECT_EQ(networkStatuses, std::vector<std::string>(4, "kTLSuccess"));
    EXPECT_EQ(networkStatuses, localStatuses);
    const std::vector<Packets> local = PacketsOf(inProcess.GetPacketLog());
    EXPECT_EQ(local.size(), 11u); // 3 of detection, 2 of the setting, 3 each way of the transfer
    EXPECT_TRUE(PacketsOf(device_.GetPacketLog()) == local);
    EXPECT_TRUE(conduit.IsConnected());
    EXPECT_EQ(conduit.GetLastError(), "");
}

// Each thread mutes and unmutes a channel of its own and reads it back.
void MuteAndReadBack(TarnLink::TarnConduit& conduit, unsigned char channel, int rounds, std::atomic<int>* wrong)
{
    for (int round = 0; round < rounds; ++round) {
        const unsigned char mute = static_cast<unsigned char>(round % 2);
        const Answer set = Exchange(conduit, {0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2E, 0x00, 0x00, channel, mute});
        const Answer read = Exchange(conduit, {0x0B, 0x0B, 0x00, 0x05, 0x40, 0x2F, 0x00, 0x00, channel});
        const Bytes expected{0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2F, 0x00, 0x00, channel, mute};
        if (!set.transmitted || !read.transmitted || read.packet != expected) {
            ++*wrong;
        }
    }
}

TEST_F(NetTest, ClientThreadsWithConduitsOfTheirOwnGetTheirOwnAnswers)
{
    Serve();
    constexpr int kThreads = 4;
    std::atomic<int> wrong{0};
    std::vector<std::unique_ptr<TarnLink::Net::TcpConduit>> conduits;
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        conduits.push_back(std::make_unique<TarnLink::Net::TcpConduit>(Url()));
    }
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back(MuteAndReadBack, std::ref(*conduits[i]), static_cast<unsigned char>(10 + i), 40, &wrong);
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(device_.GetPacketLog().size(), static_cast<std::size_t>(kThreads * 40 * 2));
}

TEST_F(NetTest, ThreadsSharingOneConduitThroughTheLibraryGetTheirOwnAnswers)
{
    Serve();
    TarnLink::Net::TcpConduit conduit(Url());
    Use(conduit);
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (unsigned char channel = 20; channel < 24; ++channel) {
        threads.emplace_back([channel, &wrong] {
            for (int round = 0; round < 25; ++round) {
                const unsigned char mute = static_cast<unsigned char>((round + channel) % 2);
                TarnLink::TarnCommand set = MuteCommand(channel, mute);
                TarnLink::TarnCommand read = MuteRequest(channel);
                unsigned char answered = 2;
                if (!TarnCommandFactory::Execute(set) || !TarnCommandFactory::Execute(read) ||
                    !read.GetParamUInt8("Mute", answered) || answered != mute) {
                    ++wrong;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(wrong, 0);
}

} // namespace
} // namespace NetTests
