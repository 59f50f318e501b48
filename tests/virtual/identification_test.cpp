#include <cstring>

#include "virtual_device_fixture.h"

namespace VirtualDeviceTests {
namespace {

using TarnLink::TarnCommandFactory;
using TarnLink::HWCaps::TarnHWCapsManager;

std::string TypeIdOf(const TarnLink::TarnCommand& command)
{
    char buffer[128] = {};
    std::size_t length = 0;
    EXPECT_TRUE(command.GetParamByteStream("TypeID", buffer, sizeof(buffer), &length));
    return std::string(buffer, length);
}

TEST_F(VirtualDeviceTest, AnswersTheIdentificationCommandsFromItsConfiguration)
{
    device_.SetHardwareType("BreakoutSD");
    device_.AddSubcomponent("HD Board");
    device_.AddSubcomponent("Codec Module : ID 0x7");

    TarnLink::TarnCommand type = Request("HardwareTypeID");
    ASSERT_TRUE(TarnCommandFactory::Execute(type));
    EXPECT_EQ(TypeIdOf(type), "BreakoutSD");

    TarnLink::TarnCommand count = Request("HardwareSubcompCount");
    ASSERT_TRUE(TarnCommandFactory::Execute(count));
    unsigned char subcomponents = 0;
    ASSERT_TRUE(count.GetParamUInt8("NumSubcomponents", subcomponents));
    EXPECT_EQ(subcomponents, 2);

    const char* expected[] = {"HD Board", "Codec Module : ID 0x7"};
    for (unsigned char index = 0; index < 2; ++index) {
        TarnLink::TarnCommand info = Request("HardwareSubcompInfo");
        info.SetParamUInt8("NthSubcomponent", index);
        ASSERT_TRUE(TarnCommandFactory::Execute(info)) << int(index);
        EXPECT_EQ(TypeIdOf(info), expected[index]);
    }

    TarnLink::TarnCommand beyond = Request("HardwareSubcompInfo");
    beyond.SetParamUInt8("NthSubcomponent", 2);
    EXPECT_FALSE(TarnCommandFactory::Execute(beyond));
    EXPECT_EQ(beyond.GetStatus(), TarnLink::kTLFail);
}

TEST_F(VirtualDeviceTest, IdentificationIgnoresDataSentToIt)
{
    TarnLink::TarnCommand overwrite("HardwareTypeID");
    overwrite.SetParamByteStream("TypeID", "OHCI", 4);
    ASSERT_TRUE(TarnCommandFactory::Execute(overwrite));

    TarnLink::TarnCommand type = Request("HardwareTypeID");
    ASSERT_TRUE(TarnCommandFactory::Execute(type));
    EXPECT_EQ(TypeIdOf(type), "StudioBox");
}

struct DetectionCase {
    const char* hardwareType;
    const char* subcomponent; // null: none
    const char* detectedName;
    bool supportsHD;
    bool hardwareDVCodec;
};

// gtest would otherwise print the case byte by byte, padding included.
void PrintTo(const DetectionCase& c, std::ostream* out)
{
    *out << c.hardwareType << " with " << (c.subcomponent != nullptr ? c.subcomponent : "no sub-component");
}

class DetectionTest : public VirtualDeviceTest, public ::testing::WithParamInterface<DetectionCase> {};

// Detection runs the identification commands through the device; the
// sub-components it reports decide the merges.
TEST_P(DetectionTest, CapabilityQueriesFollowTheDevice)
{
    const DetectionCase& detection = GetParam();
    device_.SetHardwareType(detection.hardwareType);
    if (detection.subcomponent != nullptr) {
        device_.AddSubcomponent(detection.subcomponent);
    }
    ASSERT_TRUE(TarnCommandFactory::OverrideConduit(&device_));

    const TarnLink::HWCaps::TarnHWCaps* caps = TarnHWCapsManager::Instance()->GetHWCapsPtr().Get();
    ASSERT_NE(caps, nullptr);
    EXPECT_STREQ(caps->GetHWGuidOrName(), detection.detectedName);
    EXPECT_EQ(TarnLink::HWCaps::GetSupportsHD(), detection.supportsHD);
    EXPECT_EQ(TarnLink::HWCaps::GetSupportsHardwareDVCodec(), detection.hardwareDVCodec);
}

INSTANTIATE_TEST_SUITE_P(HardwareTypes, DetectionTest,
                         ::testing::Values(DetectionCase{"StudioBox", nullptr, "StudioBox", true, false},
                                           DetectionCase{"StudioBox", "Codec Module : ID 0x7", "StudioBox", true, true},
                                           DetectionCase{"BreakoutSD", nullptr, "BreakoutSD", false, false},
                                           DetectionCase{"BreakoutSD", "HD Board", "BreakoutSD", true, false},
                                           DetectionCase{"NoSuchBox", nullptr, "EMPTY", false, false}));

} // namespace
} // namespace VirtualDeviceTests
