#include <chrono>
#include <future>
#include <thread>

#include "net_fixture.h"

namespace NetTests {
namespace {

using Clock = std::chrono::steady_clock;
using TarnLink::TarnCommandFactory;

const Bytes kMuteRequest{0x0B, 0x0B, 0x00, 0x05, 0x40, 0x2F, 0x00, 0x00, 0x05};
const Bytes kMuteAnswer{0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2F, 0x00, 0x00, 0x05, 0x00};
constexpr Milliseconds kBound{5000};

// Forwards to a device, but holds the packet whose function byte is given
// until the test lets it go, telling the test when it got there.
class GatedDevice : public TarnLink::TarnConduit {
public:
    GatedDevice(TarnLink::TarnConduit& device, unsigned char functionByte)
        : device_(device), functionByte_(functionByte)
    {
    }

    bool Transmit(const char* name, const TarnLink::TarnCommandByteCode& request,
                  TarnLink::TarnCommandByteCode* response, std::uint32_t timeoutMillisec) override
    {
        unsigned char* function = nullptr;
        if (request.GetPointerToParamDataLocation(5, &function) && *function == functionByte_) {
            reached_.set_value();
            released_.wait_for(kBound);
        }
        return device_.Transmit(name, request, response, timeoutMillisec);
    }
    void CommandSucceeded(TarnLink::TarnCommand& command) override { device_.CommandSucceeded(command); }
    void Lock() override { device_.Lock(); }
    void Unlock() override { device_.Unlock(); }

    bool WaitUntilReached() { return reached_.get_future().wait_for(kBound) == std::future_status::ready; }
    void Release() { release_.set_value(); }

private:
    TarnLink::TarnConduit& device_;
    const unsigned char functionByte_;
    std::promise<void> reached_;
    std::promise<void> release_;
    std::shared_future<void> released_{release_.get_future().share()};
};

// The library fails a meta command whose packet was not transmitted with
// kTLFail, whatever the reason; the conduit says what happened to the packet.
TEST_F(NetTest, AServerStoppedInTheMiddleOfAMetaTransferFailsItAndARestartServesAgain)
{
    constexpr unsigned char kLutUploadData = 0x04;
    GatedDevice gated(device_, kLutUploadData);
    Serve(gated, Options());
    const std::uint16_t port = server_->GetPort();
    TarnLink::Net::TcpConduit conduit(Url());
    Use(conduit);

    const std::string table(64, 'T');
    TarnLink::TarnCommand upload("LutUpload");
    upload.SetParamByteStream("LutData", table.data(), table.size());
    std::future<bool> executed =
        std::async(std::launch::async, [&upload] { return TarnCommandFactory::Execute(upload); });
    ASSERT_TRUE(gated.WaitUntilReached());
    std::thread stopper([this] { server_->Stop(); });
    ASSERT_EQ(executed.wait_for(kBound), std::future_status::ready);
    gated.Release();
    stopper.join();

    EXPECT_FALSE(executed.get());
    EXPECT_EQ(upload.GetStatus(), TarnLink::kTLFail);
    EXPECT_EQ(conduit.GetLastError(), "no usable answer from tcp://127.0.0.1:" + std::to_string(port) +
                                          ": the other side closed the connection");
    EXPECT_FALSE(conduit.IsConnected());
    TarnLink::TarnCommand whileStopped = MuteRequest(5);
    EXPECT_FALSE(TarnCommandFactory::Execute(whileStopped));
    EXPECT_EQ(whileStopped.GetStatus(), TarnLink::kTLTransmitFailure);

    Serve(device_, Options(port));
    TarnLink::TarnCommand read = MuteRequest(5);
    EXPECT_TRUE(TarnCommandFactory::Execute(read));
    EXPECT_EQ(read.GetStatus(), TarnLink::kTLSuccess);
}

TEST_F(NetTest, AnAnswerLaterThanTheTimeOutIsATimeOutAndTheNextCommandReconnects)
{
    Serve();
    device_.InjectFault(TarnLink::VirtualFault::kDelay, 1, 800);
    TarnLink::Net::TcpConduit conduit(Url());
    conduit.SetDefaultTimeout(150);
    Use(conduit);

    TarnLink::TarnCommand late = MuteRequest(5);
    const Clock::time_point start = Clock::now();
    EXPECT_FALSE(TarnCommandFactory::Execute(late));
    const auto waited = std::chrono::duration_cast<Milliseconds>(Clock::now() - start);
    EXPECT_EQ(late.GetStatus(), TarnLink::kTLTimeOut);
    EXPECT_GE(waited.count(), 150);
    EXPECT_LT(waited.count(), 700);
    EXPECT_EQ(conduit.GetLastError(), "no answer from " + Url() + " within 150 ms");
    EXPECT_FALSE(conduit.IsConnected());

    conduit.SetDefaultTimeout(0); // back to the default, which outlasts the device's delay
    EXPECT_EQ(conduit.GetDefaultTimeout(), TarnLink::Net::kDefaultTimeoutMillisec);
    TarnLink::TarnCommand next = MuteRequest(5);
    EXPECT_TRUE(TarnCommandFactory::Execute(next));
}

TEST_F(NetTest, ARefusedConnectionIsATransmitFailureWithAMessage)
{
    const std::uint16_t closedPort = UnusedPort();
    TarnLink::Net::TcpConduit conduit("127.0.0.1", closedPort);
    const Answer answer = Exchange(conduit, kMuteRequest);
    EXPECT_FALSE(answer.transmitted);
    EXPECT_EQ(answer.status, TarnLink::kTLTransmitFailure);
    EXPECT_EQ(conduit.GetLastError().rfind("cannot connect to tcp://127.0.0.1:" + std::to_string(closedPort) + ": ", 0),
              0u)
        << conduit.GetLastError();
}

struct ReplyCase {
    const char* label;
    FakeReply reply;
    bool transmitted;
    TarnLink::CommandStatus_t status;
    const char* messageBegin; // of GetLastError
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ReplyCase& testCase, std::ostream* out) { *out << testCase.label; }

class ServerReplyTest : public NetTest, public ::testing::WithParamInterface<ReplyCase> {};

TEST_P(ServerReplyTest, TheConduitReportsWhatTheServerSent)
{
    const ReplyCase& replyCase = GetParam();
    FakeServer fake(replyCase.reply);
    TarnLink::Net::TcpConduit conduit("127.0.0.1", fake.Port());
    const Answer answer = Exchange(conduit, kMuteRequest, 400);
    EXPECT_EQ(answer.transmitted, replyCase.transmitted);
    EXPECT_EQ(answer.status, replyCase.status);
    if (replyCase.transmitted) {
        EXPECT_EQ(answer.packet, kMuteAnswer);
    }
    EXPECT_EQ(conduit.GetLastError().rfind(replyCase.messageBegin, 0), 0u) << conduit.GetLastError();
    EXPECT_EQ(conduit.IsConnected(), replyCase.transmitted);
}

Bytes Concatenated(Bytes first, const Bytes& second)
{
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ServerReplyTest,
    ::testing::Values(ReplyCase{"WholeFrame", FakeReply{Frame(kMuteAnswer)}, true, TarnLink::kTLSuccess, ""},
                      ReplyCase{"TrickledAByteAtATime",
                                FakeReply{Frame(kMuteAnswer), Milliseconds{0}, Milliseconds{10}}, true,
                                TarnLink::kTLSuccess, ""},
                      ReplyCase{"LengthZero", FakeReply{FrameHeader(0), {}, {}, Milliseconds{300}}, false,
                                TarnLink::kTLTransmitFailure, "no usable answer from tcp://127.0.0.1:"},
                      ReplyCase{"LengthAboveTheMaximum",
                                FakeReply{Concatenated(FrameHeader(65537), kMuteAnswer), {}, {}, Milliseconds{300}},
                                false, TarnLink::kTLTransmitFailure, "no usable answer from tcp://127.0.0.1:"},
                      ReplyCase{"CutShort", FakeReply{Bytes{0x00, 0x00, 0x00, 0x0A, 0x0B, 0x0B, 0x00}}, false,
                                TarnLink::kTLTransmitFailure, "no usable answer from tcp://127.0.0.1:"},
                      ReplyCase{"ClosedWithoutAnswer", FakeReply{}, false, TarnLink::kTLTransmitFailure,
                                "no usable answer from tcp://127.0.0.1:"},
                      ReplyCase{"NoAnswerInTime", FakeReply{Frame(kMuteAnswer), Milliseconds{1000}}, false,
                                TarnLink::kTLTimeOut, "no answer from tcp://127.0.0.1:"}),
    [](const ::testing::TestParamInfo<ReplyCase>& param) { return std::string(param.param.label); });

TEST_F(NetTest, TheConduitRefusesPacketsNoFrameCanCarryWithoutConnecting)
{
    TarnLink::Net::TcpConduit conduit("127.0.0.1", 9);
    const Answer empty = Exchange(conduit, Bytes{});
    EXPECT_FALSE(empty.transmitted);
    EXPECT_EQ(empty.status, TarnLink::kTLTransmitFailure);
    EXPECT_EQ(conduit.GetLastError(), "the request holds no packet");
    const Answer huge = Exchange(conduit, Bytes(TarnLink::Net::kMaxFrameLength + 1, 0x0B));
    EXPECT_EQ(huge.status, TarnLink::kTLTransmitFailure);
    EXPECT_EQ(conduit.GetLastError(), "the request is longer than a frame may be: 65537");
    TarnLink::TarnCommandByteCode request;
    EXPECT_FALSE(conduit.Transmit("", request, nullptr, 0));
    EXPECT_FALSE(conduit.IsConnected());
}

} // namespace
} // namespace NetTests
