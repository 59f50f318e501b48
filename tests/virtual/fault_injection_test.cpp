#include "virtual_device_fixture.h"

namespace VirtualDeviceTests {
namespace {

using TarnLink::TarnCommandFactory;
using TarnLink::VirtualFault;

struct FaultCase {
    const char* label;
    VirtualFault fault;
    bool request;
    TarnLink::CommandStatus_t status;
};

// gtest would otherwise print the case byte by byte, padding included.
void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.label; }

class FaultTest : public VirtualDeviceTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FaultTest, ExecuteReportsTheInjectedFault)
{
    const FaultCase& fault = GetParam();
    device_.InjectFault(fault.fault, 1, 1);
    TarnLink::TarnCommand command = fault.request ? MuteRequest(5) : MuteCommand(5, 1);
    EXPECT_EQ(TarnCommandFactory::Execute(command), fault.status == TarnLink::kTLSuccess);
    EXPECT_EQ(command.GetStatus(), fault.status);

    TarnLink::TarnCommand next = MuteRequest(5);
    EXPECT_TRUE(TarnCommandFactory::Execute(next)) << "the fault hit one command only";
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FaultTest,
    ::testing::Values(
        FaultCase{"TimeOut", VirtualFault::kTimeOut, true, TarnLink::kTLTimeOut},
        FaultCase{"NotSupported", VirtualFault::kNotSupported, false, TarnLink::kTLNotSupported},
        FaultCase{"TransmitFailure", VirtualFault::kTransmitFailure, true, TarnLink::kTLTransmitFailure},
        FaultCase{"ShortRequestAnswer", VirtualFault::kShortAnswer, true, TarnLink::kTLDecompileMissingParameterData},
        FaultCase{"ShortSendAnswer", VirtualFault::kShortAnswer, false, TarnLink::kTLPacketSizeError},
        FaultCase{"CorruptAnswer", VirtualFault::kCorruptAnswer, true, TarnLink::kTLInvalidTransportHeader},
        FaultCase{"DelayWithinTimeOut", VirtualFault::kDelay, true, TarnLink::kTLSuccess}),
    [](const ::testing::TestParamInfo<FaultCase>& param) { return std::string(param.param.label); });

TEST_F(VirtualDeviceTest, CountedFaultsHitTheNextCommandsInOrder)
{
    device_.InjectFault(VirtualFault::kNotSupported, 2);
    device_.InjectFault(VirtualFault::kTimeOut, 1);
    const TarnLink::CommandStatus_t expected[] = {TarnLink::kTLNotSupported, TarnLink::kTLNotSupported,
                                                  TarnLink::kTLTimeOut, TarnLink::kTLSuccess};
    for (TarnLink::CommandStatus_t status : expected) {
        TarnLink::TarnCommand command = MuteRequest(1);
        TarnCommandFactory::Execute(command);
        EXPECT_EQ(command.GetStatus(), status);
    }
}

TEST_F(VirtualDeviceTest, NamedFaultsHitOnlyTheirCommandUntilCleared)
{
    device_.InjectFaultForCommand("SampleRate", VirtualFault::kTimeOut);
    for (int round = 0; round < 2; ++round) {
        TarnLink::TarnCommand rate = Request("SampleRate");
        EXPECT_FALSE(TarnCommandFactory::Execute(rate));
        EXPECT_EQ(rate.GetStatus(), TarnLink::kTLTimeOut);
        TarnLink::TarnCommand mute = MuteRequest(1);
        EXPECT_TRUE(TarnCommandFactory::Execute(mute));
    }
    device_.ClearFaults();
    TarnLink::TarnCommand rate = Request("SampleRate");
    EXPECT_TRUE(TarnCommandFactory::Execute(rate));
}

TEST_F(VirtualDeviceTest, NamedFaultsReachTheCommandsOfAMetaSequence)
{
    device_.InjectFaultForCommand("LutUploadStop", VirtualFault::kNotSupported);
    TarnLink::TarnCommand upload("LutUpload");
    upload.SetParamByteStream("LutData", "abc", 3);
    TarnCommandFactory::Execute(upload);
    EXPECT_EQ(upload.GetStatus(), TarnLink::kTLFail) << "a refused stop packet fails the sequence";
    EXPECT_EQ(device_.GetPacketLog().back().response[kStatusByte], 0x02);
}

TEST_F(VirtualDeviceTest, ADelayBeyondTheTimeOutIsATimeOut)
{
    device_.InjectFault(VirtualFault::kDelay, 1, 50);
    TarnLink::TarnCommandByteCode request;
    const Bytes packet = {0x0B, 0x0B, 0x00, 0x05, 0x40, 0x2F, 0x00, 0x00, 0x05};
    request.CopyByteCodePacketBuffer(packet.data(), packet.size());
    TarnLink::TarnCommandByteCode response;
    EXPECT_FALSE(TarnCommandFactory::Execute("AudioHostChanMute", request, &response, 1));
    EXPECT_EQ(response.ExtractStatus(), TarnLink::kTLTimeOut);
    EXPECT_FALSE(device_.GetPacketLog().back().transmitted);
}

} // namespace
} // namespace VirtualDeviceTests
