#include "virtual_device_fixture.h"

namespace VirtualDeviceTests {
namespace {

struct PacketCase {
    const char* label;
    const char* commandName;
    Bytes packet;
    unsigned char status;
};

// gtest would otherwise print the case byte by byte, padding included.
void PrintTo(const PacketCase& c, std::ostream* out) { *out << c.label; }

class MalformedPacketTest : public VirtualDeviceTest, public ::testing::WithParamInterface<PacketCase> {};

TEST_P(MalformedPacketTest, AnswersWithTheStatusOfItsVerdict)
{
    const PacketCase& packetCase = GetParam();
    bool accepted = false;
    const Bytes answer = Exchange(packetCase.commandName, packetCase.packet, &accepted);
    ASSERT_EQ(answer.size(), packetCase.status == 0 ? answer.size() : 8u);
    EXPECT_EQ(answer[0], 0x0B);
    EXPECT_EQ(answer[kStatusByte], packetCase.status);
    EXPECT_EQ(accepted, packetCase.status == 0);
}

INSTANTIATE_TEST_SUITE_P(
    Packets, MalformedPacketTest,
    ::testing::Values(
        PacketCase{"WellFormed", "AudioHostChanMute", {0x0B, 0x0B, 0x00, 0x05, 0x40, 0x2F, 0x00, 0x00, 0x05}, 0x00},
        PacketCase{"TransportMark", "AudioHostChanMute", {0x0C, 0x0B, 0x00, 0x05, 0x40, 0x2F, 0x00, 0x00, 0x05}, 0x01},
        PacketCase{"LengthField", "AudioHostChanMute", {0x0B, 0x0B, 0x00, 0x09, 0x40, 0x2F, 0x00, 0x00, 0x05}, 0x01},
        PacketCase{
            "OtherCommandsHeader", "AudioHostChanMute", {0x0B, 0x0B, 0x00, 0x05, 0x41, 0x01, 0x00, 0x00, 0x05}, 0x01},
        PacketCase{
            "RequestWithoutItsParameter", "AudioHostChanMute", {0x0B, 0x0B, 0x00, 0x04, 0x40, 0x2F, 0x00, 0x00}, 0x01},
        PacketCase{"SendWithExtraByte",
                   "AudioHostChanMute",
                   {0x0B, 0x0B, 0x00, 0x07, 0x40, 0x2E, 0x00, 0x00, 0x05, 0x01, 0x07},
                   0x01},
        PacketCase{"ShorterThanAHeader", "AudioHostChanMute", {0x0B, 0x0B, 0x00}, 0x01},
        PacketCase{"UnknownCommand", "NoSuchCommand", {0x0B, 0x0B, 0x00, 0x04, 0x40, 0x2F, 0x00, 0x00}, 0x02},
        PacketCase{"MetaNameWithItsStartHeader", "LutUpload", {0x0B, 0x0B, 0x00, 0x04, 0x02, 0x03, 0x00, 0x00}, 0x00},
        PacketCase{"MetaNameWithAForeignHeader", "LutUpload", {0x0B, 0x0B, 0x00, 0x04, 0x40, 0x2F, 0x00, 0x00}, 0x01},
        PacketCase{"NoNameRecognisedByHeader", "", {0x0B, 0x0B, 0x00, 0x05, 0x40, 0x2F, 0x00, 0x00, 0x05}, 0x00},
        PacketCase{"NoNameMetaMemberByHeader", "", {0x0B, 0x0B, 0x00, 0x04, 0x02, 0x03, 0x00, 0x00}, 0x00},
        PacketCase{"NoNameUnknownHeader", "", {0x0B, 0x0B, 0x00, 0x04, 0x3F, 0xFE, 0x00, 0x00}, 0x02},
        PacketCase{"NoNameNoTransportMark", "", {0x0C, 0x0B, 0x00, 0x05, 0x40, 0x2F, 0x00, 0x00, 0x05}, 0x02}),
    [](const ::testing::TestParamInfo<PacketCase>& param) { return std::string(param.param.label); });

TEST_F(VirtualDeviceTest, AnswersADiagPacketWithItsHeader)
{
    TarnLink::TarnCommand tone("DiagAudioTone");
    tone.SetParamUInt16("AudioFrequency", 1000);
    TarnLink::TarnCommandByteCode packet;
    ASSERT_TRUE(TarnLink::TarnCommandFactory::CompileTarnByteCode(tone, packet, nullptr, nullptr));
    unsigned char* bytes = nullptr;
    ASSERT_TRUE(packet.GetPacketByteCodeBuffer(&bytes));

    const Bytes answer = Exchange("DiagAudioTone", Bytes(bytes, bytes + packet.ComputeTotalPacketByteCodeLength()));
    ASSERT_EQ(answer.size(), 36u);
    EXPECT_EQ(answer[31], 12);
    EXPECT_EQ(Exchange("", Bytes(bytes, bytes + packet.ComputeTotalPacketByteCodeLength())).size(), 36u)
        << "recognised by its opcode";

    Bytes wrongOpcode(bytes, bytes + packet.ComputeTotalPacketByteCodeLength());
    wrongOpcode[31] = 13;
    EXPECT_EQ(Exchange("DiagAudioTone", wrongOpcode)[kStatusByte], 0x01);
}

TEST_F(VirtualDeviceTest, AnEmptyPacketOrNoNameIsRefusedWithoutACrash)
{
    EXPECT_EQ(Exchange("AudioHostChanMute", Bytes{})[kStatusByte], 0x01);
    TarnLink::TarnCommandByteCode request;
    TarnLink::TarnCommandByteCode response;
    EXPECT_TRUE(device_.Transmit(nullptr, request, &response, 0));
    EXPECT_EQ(response.ExtractStatus(), TarnLink::kTLNotSupported);
    EXPECT_FALSE(device_.Transmit("AudioHostChanMute", request, nullptr, 0));
}

} // namespace
} // namespace VirtualDeviceTests
