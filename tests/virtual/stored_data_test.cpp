#include "virtual_device_fixture.h"

namespace VirtualDeviceTests {
namespace {

using TarnLink::TarnCommandFactory;

unsigned char MuteOf(TarnLink::TarnCommand command)
{
    EXPECT_TRUE(TarnCommandFactory::Execute(command));
    unsigned char mute = 0xEE;
    EXPECT_TRUE(command.GetParamUInt8("Mute", mute));
    return mute;
}

TEST_F(VirtualDeviceTest, RemembersSentDataPerRequestDataValues)
{
    EXPECT_EQ(MuteOf(MuteRequest(5)), 0) << "zeros before anything was sent";

    TarnLink::TarnCommand mute = MuteCommand(5, 1);
    ASSERT_TRUE(TarnCommandFactory::Execute(mute));
    EXPECT_EQ(MuteOf(MuteRequest(5)), 1);
    EXPECT_EQ(MuteOf(MuteRequest(6)), 0) << "another channel keeps its own value";

    // The answer repeats the request-data parameters, then the stored data,
    // with the request's header, status 0 and the length field counting it.
    const Bytes expected = {0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2F, 0x00, 0x00, 0x06, 0x00};
    EXPECT_EQ(device_.GetPacketLog().back().response, expected);
    const Bytes sendAnswer = {0x0B, 0x0B, 0x00, 0x04, 0x40, 0x2E, 0x00, 0x00};
    EXPECT_EQ(device_.GetPacketLog()[1].response, sendAnswer);
}

TEST_F(VirtualDeviceTest, KeysOnEveryRequestDataParameter)
{
    TarnLink::TarnCommand gain("AudioHostMonitorChanGain");
    gain.SetParamUInt8("Input", 1);
    gain.SetParamUInt8("Output", 2);
    gain.SetParamInt32("Gain", -600);
    ASSERT_TRUE(TarnCommandFactory::Execute(gain));

    struct Case {
        unsigned char input;
        unsigned char output;
        std::int32_t gain;
    };
    for (const Case& crossPoint : {Case{1, 2, -600}, Case{2, 1, 0}, Case{1, 3, 0}}) {
        TarnLink::TarnCommand read = Request("AudioHostMonitorChanGain");
        read.SetParamUInt8("Input", crossPoint.input);
        read.SetParamUInt8("Output", crossPoint.output);
        ASSERT_TRUE(TarnCommandFactory::Execute(read));
        std::int32_t value = 1;
        ASSERT_TRUE(read.GetParamInt32("Gain", value));
        EXPECT_EQ(value, crossPoint.gain) << int(crossPoint.input) << "->" << int(crossPoint.output);
    }
}

TEST_F(VirtualDeviceTest, AnswersAByteStreamWithTheStoredBytes)
{
    TarnLink::TarnCommand before = Request("HAGetDeviceInfo");
    before.SetParamUInt8("SlotNumber", 2);
    ASSERT_TRUE(TarnCommandFactory::Execute(before));
    std::size_t length = 99;
    ASSERT_TRUE(before.GetParamByteStreamLength("BoardVersion", &length));
    EXPECT_EQ(length, 0u) << "no bytes before anything was sent";

    TarnLink::TarnCommand info("HAGetDeviceInfo");
    info.SetParamUInt8("SlotNumber", 2);
    info.SetParamUInt8("BoardID", 7);
    info.SetParamInt16("BoardVersionLength", 3);
    info.SetParamByteStream("BoardVersion", "1.0", 3);
    ASSERT_TRUE(TarnCommandFactory::Execute(info));

    TarnLink::TarnCommand after = Request("HAGetDeviceInfo");
    after.SetParamUInt8("SlotNumber", 2);
    ASSERT_TRUE(TarnCommandFactory::Execute(after));
    const Bytes expected = {0x0B, 0x0B, 0x00, 0x0B, 0x40, 0x69, 0x00, 0x00, 0x02, 0x07, 0x00, 0x03, 0x31, 0x2E, 0x30};
    EXPECT_EQ(device_.GetPacketLog().back().response, expected);
    char version[8] = {};
    ASSERT_TRUE(after.GetParamByteStream("BoardVersion", version, sizeof(version), &length));
    EXPECT_EQ(std::string(version, length), "1.0");
}

TEST_F(VirtualDeviceTest, ClearStoredDataForgetsWhatWasSent)
{
    TarnLink::TarnCommand mute = MuteCommand(5, 1);
    ASSERT_TRUE(TarnCommandFactory::Execute(mute));
    device_.ClearStoredData();
    EXPECT_EQ(MuteOf(MuteRequest(5)), 0);
}

TEST_F(VirtualDeviceTest, LogsEveryExchangeUntilTaken)
{
    TarnLink::TarnCommand mute = MuteCommand(5, 1);
    ASSERT_TRUE(TarnCommandFactory::Execute(mute));
    TarnLink::TarnCommand read = MuteRequest(5);
    ASSERT_TRUE(TarnCommandFactory::Execute(read));

    const std::vector<TarnLink::VirtualPacketExchange> log = device_.TakePacketLog();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].commandName, "AudioHostChanMute");
    EXPECT_EQ(log[0].request, (Bytes{0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2E, 0x00, 0x00, 0x05, 0x01}));
    EXPECT_TRUE(log[0].transmitted);
    EXPECT_EQ(log[1].request, (Bytes{0x0B, 0x0B, 0x00, 0x05, 0x40, 0x2F, 0x00, 0x00, 0x05}));
    EXPECT_TRUE(device_.GetPacketLog().empty());
}

} // namespace
} // namespace VirtualDeviceTests
