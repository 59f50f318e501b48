#include <chrono>
#include <stdexcept>
#include <thread>

#include "net_fixture.h"

namespace NetTests {
namespace {

using Clock = std::chrono::steady_clock;

const Bytes kMuteRequest{0x0B, 0x0B, 0x00, 0x05, 0x40, 0x2F, 0x00, 0x00, 0x05};
const Bytes kMuteAnswer{0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2F, 0x00, 0x00, 0x05, 0x00};
constexpr Milliseconds kBound{3000};

// Waits, within a bound, until the server counts that many connections.
bool ConnectionCountBecomes(const TarnLink::Net::DeviceServer& server, std::size_t count)
{
    const Clock::time_point giveUp = Clock::now() + kBound;
    while (server.GetConnectionCount() != count && Clock::now() < giveUp) {
        std::this_thread::sleep_for(Milliseconds{5});
    }
    return server.GetConnectionCount() == count;
}

struct BadFrameCase {
    const char* label;
    Bytes sent;
    const char* logged;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const BadFrameCase& testCase, std::ostream* out) { *out << testCase.label; }

class BadFrameTest : public NetTest, public ::testing::WithParamInterface<BadFrameCase> {};

TEST_P(BadFrameTest, TheServerClosesTheConnectionWithoutAnAnswerAndServesOthers)
{
    Serve();
    RawClient client(server_->GetPort());
    ASSERT_TRUE(client.Send(GetParam().sent));
    EXPECT_TRUE(client.ClosedByPeer(kBound));
    EXPECT_TRUE(ConnectionCountBecomes(*server_, 0));
    EXPECT_TRUE(LogMentions(GetParam().logged));

    TarnLink::Net::TcpConduit other(Url());
    EXPECT_EQ(Exchange(other, kMuteRequest).packet, kMuteAnswer);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, BadFrameTest,
    ::testing::Values(BadFrameCase{"LengthZero", FrameHeader(0), "protocol error: a frame of length 0 "},
                      BadFrameCase{"LengthAboveTheMaximum", FrameHeader(65537),
                                   "protocol error: a frame of length 65537 (a frame carries 1 to 65536 bytes)"},
                      BadFrameCase{"LengthAtMostUnsigned", FrameHeader(0xFFFFFFFFu),
                                   "protocol error: a frame of length 4294967295 "}),
    [](const ::testing::TestParamInfo<BadFrameCase>& param) { return std::string(param.param.label); });

TEST_F(NetTest, AFrameCutShortByTheClientGetsNoAnswer)
{
    Serve();
    {
        RawClient client(server_->GetPort());
        ASSERT_TRUE(client.Send(Bytes{0x00, 0x00, 0x00, 0x09, 0x0B, 0x0B, 0x00}));
        EXPECT_TRUE(client.Receive(1, Milliseconds{200}).empty());
    }
    EXPECT_TRUE(ConnectionCountBecomes(*server_, 0));
    EXPECT_TRUE(LogMentions("closed: closed by the client"));
    EXPECT_TRUE(device_.GetPacketLog().empty());
}

TEST_F(NetTest, AFrameOfTheLargestLengthIsReadAndAnswered)
{
    Serve();
    RawClient client(server_->GetPort());
    Bytes frame = FrameHeader(65536);
    frame.resize(4 + 65536, 0x0B);
    ASSERT_TRUE(client.Send(frame));
    const Bytes answer = client.Receive(12, kBound);
    ASSERT_EQ(answer.size(), 12u);
    EXPECT_EQ(Bytes(answer.begin(), answer.begin() + 6), (Bytes{0x00, 0x00, 0x00, 0x08, 0x0B, 0x0B}));
    EXPECT_NE(answer[11], 0x00); // the device refuses it
}

TEST_F(NetTest, AFrameTrickledAByteAtATimeIsAnsweredOnce)
{
    Serve();
    RawClient client(server_->GetPort());
    for (unsigned char byte : Frame(kMuteRequest)) {
        ASSERT_TRUE(client.Send(Bytes{byte}));
        std::this_thread::sleep_for(Milliseconds{5});
    }
    EXPECT_EQ(client.Receive(14, kBound), Frame(kMuteAnswer));
    EXPECT_TRUE(client.Receive(1, Milliseconds{100}).empty());
}

TEST_F(NetTest, ClientsThatSendNothingOrHalfAFrameHoldUpNobody)
{
    Serve();
    RawClient silent(server_->GetPort());
    RawClient halfway(server_->GetPort());
    ASSERT_TRUE(halfway.Send(Bytes{0x00, 0x00}));
    TarnLink::Net::TcpConduit conduit(Url());
    const Clock::time_point start = Clock::now();
    EXPECT_EQ(Exchange(conduit, kMuteRequest).packet, kMuteAnswer);
    EXPECT_LT(Clock::now() - start, Milliseconds{1000});
    EXPECT_TRUE(ConnectionCountBecomes(*server_, 3));
}

TEST_F(NetTest, AnIdleConnectionIsClosedAfterTheIdleTime)
{
    TarnLink::Net::DeviceServerOptions options = Options();
    options.idleTimeoutMillisec = 200;
    Serve(device_, options);
    RawClient idle(server_->GetPort());
    const Clock::time_point start = Clock::now();
    EXPECT_TRUE(idle.ClosedByPeer(kBound));
    EXPECT_GE(Clock::now() - start, Milliseconds{150});
    EXPECT_TRUE(ConnectionCountBecomes(*server_, 0));
    EXPECT_TRUE(LogMentions("closed: no complete request within 200 ms"));
}

TEST_F(NetTest, ConnectionsBeyondTheLimitAreClosedAtOnce)
{
    TarnLink::Net::DeviceServerOptions options = Options();
    options.maxConnections = 1;
    Serve(device_, options);
    TarnLink::Net::TcpConduit refused(Url());
    {
        RawClient holder(server_->GetPort());
        ASSERT_TRUE(ConnectionCountBecomes(*server_, 1));
        const Answer answer = Exchange(refused, kMuteRequest);
        EXPECT_FALSE(answer.transmitted);
        EXPECT_EQ(answer.status, TarnLink::kTLTransmitFailure);
        EXPECT_TRUE(LogMentions("refused a connection from tcp://127.0.0.1:"));
    }
    ASSERT_TRUE(ConnectionCountBecomes(*server_, 0));
    EXPECT_TRUE(Exchange(refused, kMuteRequest).transmitted);
}

TEST_F(NetTest, APortInUseCannotBeListenedOnTwice)
{
    Serve();
    TarnLink::Net::DeviceServer second(device_, Options(server_->GetPort()));
    try {
        second.Start();
        ADD_FAILURE() << "the second server started";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()).rfind("cannot listen on " + Url() + ": ", 0), 0u) << error.what();
    }
    EXPECT_FALSE(second.IsRunning());
    EXPECT_EQ(second.GetPort(), 0);
}

// A host's conduit that fails in its own way.
class ThrowingDevice : public TarnLink::TarnConduit {
public:
    bool Transmit(const char*, const TarnLink::TarnCommandByteCode&, TarnLink::TarnCommandByteCode*,
                  std::uint32_t) override
    {
        throw std::runtime_error("the cable is out");
    }
    void CommandSucceeded(TarnLink::TarnCommand&) override {}
    void Lock() override {}
    void Unlock() override {}
};

TEST_F(NetTest, ADeviceThatThrowsIsAnsweredWithATransmitFailure)
{
    ThrowingDevice broken;
    Serve(broken, Options());
    TarnLink::Net::TcpConduit conduit(Url());
    const Answer answer = Exchange(conduit, kMuteRequest);
    EXPECT_TRUE(answer.transmitted);
    EXPECT_EQ(answer.packet, (Bytes{0x0B, 0x0B, 0x00, 0x04, 0x00, 0x00, 0x00, 0xF0}));
    EXPECT_EQ(answer.status, TarnLink::kTLTransmitFailure);
    server_->Stop();
    EXPECT_TRUE(LogMentions("the device failed to answer: the cable is out"));
}

} // namespace
} // namespace NetTests
