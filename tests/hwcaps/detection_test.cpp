#include <string>
#include <vector>

#include "dictionary/command_registry.h"
#include "fake_hardware.h"
#include "hwcaps_fixture.h"
#include "tarnlink/TarnHWCapsQueries.h"

namespace {

using Names = std::vector<std::string>;

const char kNoSetFound[] = "\nTarnHWCapsManager::CreateMyHWCaps No HWCaps file found setting to NULL";
const char kNotMapped[] = "TarnHWCapsManager::AddTarnHWCapsToMap - Failed to AddTarnHWCapsToMap";

class DetectionTest : public HWCapsTest {
protected:
    void Attach(FakeHardware& hardware, std::int32_t conduitId = 1)
    {
        TarnLink::TarnCommandFactory::InstallTargetConduit(&hardware.conduit, conduitId);
    }

    // Runs detection on the current conduit; gives what it wrote.
    static std::string Detect()
    {
        CoutCapture output;
        TarnHWCapsManager::Instance();
        return output.Text();
    }

    static const TarnHWCaps* Current() { return TarnHWCapsManager::Instance()->GetHWCapsPtr().Get(); }

    // Every default property of the option type is in the current set, with
    // the option's value when overwrite is set.
    static void ExpectMergedFrom(const char* optionType, bool overwrite)
    {
        HWCapsHandle option = Create(optionType);
        ASSERT_NE(TarnLinkPrivate::RegisteredDataOf(*option), nullptr) << optionType;
        for (std::size_t n = 0; n < option->GetNumProperties(nullptr); ++n) {
            char name[256];
            ASSERT_TRUE(option->GetNthPropertyName(n, sizeof name, name, nullptr));
            EXPECT_TRUE(Current()->HasProperty(name, nullptr)) << optionType << " " << name;
            char expected[256] = {};
            char actual[256] = {};
            if (overwrite && option->GetPropertyAsString(name, sizeof expected, expected, nullptr)) {
                EXPECT_TRUE(Current()->GetPropertyAsString(name, sizeof actual, actual, nullptr));
                EXPECT_STREQ(actual, expected) << optionType << " " << name;
            }
        }
    }
};

TEST_F(DetectionTest, KnownTypeWithSubcomponentsGetsItsOptionsMerged)
{
    FakeHardware hardware;
    hardware.typeId = "BreakoutSD";
    hardware.subcomponents = {"HD Board", "Unrelated Module", "Codec Module : ID 0x7"};
    Attach(hardware);
    EXPECT_EQ(Detect(), "");
    EXPECT_EQ(hardware.CommandsSent(), (Names{"HardwareTypeID", "HardwareSubcompCount", "HardwareSubcompInfo",
                                              "HardwareSubcompInfo", "HardwareSubcompInfo"}));
    ASSERT_NE(Current(), nullptr);
    EXPECT_STREQ(Current()->GetHWGuidOrName(), "BreakoutSD");
    EXPECT_EQ(TarnHWCapsManager::Instance()->GetHWCapsPtr(3000), Current());
    EXPECT_EQ(TarnHWCapsManager::Instance()->GetHWCapsPtr(0), nullptr);
    ExpectMergedFrom("HDBoard", false);
    ExpectMergedFrom("AVCIboard", true);

    // The boards' values replace the box's own, as the files read.
    char name[64] = {};
    EXPECT_TRUE(TarnLink::HWCaps::GetPeripheralName(name, sizeof name));
    EXPECT_STREQ(name, "Studio Breakout SD with HD Board");
    std::int32_t memory = 0;
    EXPECT_TRUE(TarnLink::HWCaps::GetWin32RecommendedVirtualMemoryInMB(&memory));
    EXPECT_EQ(memory, 2048);
    EXPECT_TRUE(TarnLink::HWCaps::GetSupportsHD());
    EXPECT_TRUE(TarnLink::HWCaps::GetSupportsRealtimeAVCIEncoding());
    EXPECT_TRUE(Current()->HasCmdParamConditionListKeyname("HDBoard_1080i5994"));
    EXPECT_TRUE(Current()->HasCmdParamConditionListKeyname("AVCIboard_AVCI100"));
}

TEST_F(DetectionTest, KnownBaseIdIsAnsweredFromTheMapWithoutSubcomponents)
{
    FakeHardware hardware;
    hardware.typeId = "BreakoutSD";
    hardware.subcomponents = {"HDBoard"};
    Attach(hardware);
    Detect();
    const TarnHWCaps* first = Current();

    hardware.typeId = "BreakoutHD"; // the same base id
    CoutCapture output;
    TarnHWCapsManager::Instance()->UpdateHWCaps();
    EXPECT_EQ(Current(), first);
    EXPECT_STREQ(Current()->GetHWGuidOrName(), "BreakoutSD");
    EXPECT_EQ(hardware.CommandsSent(),
              (Names{"HardwareTypeID", "HardwareSubcompCount", "HardwareSubcompInfo", "HardwareTypeID"}));
    EXPECT_EQ(output.Text(), "");
}

TEST_F(DetectionTest, NoSubcomponentsAreAskedForWhenTheSetSaysSo)
{
    FakeHardware hardware;
    hardware.typeId = "OHCI";
    hardware.subcomponents = {"HD Board"};
    Attach(hardware);
    EXPECT_EQ(Detect(), "");
    EXPECT_EQ(hardware.CommandsSent(), Names{"HardwareTypeID"});
    EXPECT_EQ(TarnHWCapsManager::Instance()->GetHWCapsPtr(1000), Current());
}

TEST_F(DetectionTest, UnknownTypeGivesASetWithoutData)
{
    FakeHardware hardware;
    hardware.typeId = "MysteryBox";
    Attach(hardware);
    EXPECT_EQ(Detect(), kNotMapped);
    EXPECT_STREQ(Current()->GetHWGuidOrName(), "EMPTY");
    EXPECT_EQ(TarnLinkPrivate::RegisteredDataOf(*Current()), nullptr);
    EXPECT_EQ(hardware.CommandsSent(), (Names{"HardwareTypeID", "HardwareSubcompCount"}));
    std::int32_t channels = 0;
    EXPECT_FALSE(TarnLink::HWCaps::GetMaxAudioChannels(&channels));

    // A set that the map does not hold is replaced, not leaked.
    CoutCapture output;
    TarnHWCapsManager::Instance()->UpdateHWCaps();
    EXPECT_STREQ(Current()->GetHWGuidOrName(), "EMPTY");
}

TEST_F(DetectionTest, UnusableTypeIdFallsBackToTheNullSet)
{
    struct TypeIdCase {
        const char* what;
        bool answers;
        std::string typeId;
    };
    const TypeIdCase cases[] = {
        {"no answer", false, "BreakoutSD"},
        {"an empty type ID", true, ""},
        {"a type ID without room for its terminator", true, std::string(128, 'T')},
    };
    for (const TypeIdCase& typeIdCase : cases) {
        TearDown();
        SetUp();
        FakeHardware hardware;
        hardware.answersTypeId = typeIdCase.answers;
        hardware.typeId = typeIdCase.typeId;
        Attach(hardware);
        EXPECT_EQ(Detect(), kNoSetFound) << typeIdCase.what;
        EXPECT_STREQ(Current()->GetHWGuidOrName(), "NULL") << typeIdCase.what;
        EXPECT_EQ(hardware.CommandsSent(), Names{"HardwareTypeID"}) << typeIdCase.what;
    }
}

TEST_F(DetectionTest, LongestTypeIdIsStillLookedUp)
{
    FakeHardware hardware;
    hardware.typeId = std::string(127, 'T');
    Attach(hardware);
    EXPECT_EQ(Detect(), kNotMapped);
    EXPECT_STREQ(Current()->GetHWGuidOrName(), "EMPTY");
}

TEST_F(DetectionTest, WithoutConduitTheNullSetIsCurrent)
{
    EXPECT_EQ(Detect(), kNoSetFound);
    ASSERT_NE(Current(), nullptr);
    EXPECT_STREQ(Current()->GetHWGuidOrName(), "NULL");
    EXPECT_NE(TarnLinkPrivate::RegisteredDataOf(*Current()), nullptr);
}

TEST_F(DetectionTest, SubcomponentFailuresAreReportedAndDetectionGoesOn)
{
    {
        FakeHardware hardware;
        hardware.typeId = "StudioBox";
        hardware.answersSubcompCount = false;
        Attach(hardware);
        EXPECT_EQ(Detect(), "CreateMyHWCaps - HardwareSubcompCount command failed"
                            "CreateMyHWCaps - HardwareSubcompCount command failed to get NumSubcomponents");
        EXPECT_STREQ(Current()->GetHWGuidOrName(), "StudioBox");
    }
    TearDown();
    SetUp();
    FakeHardware hardware;
    hardware.typeId = "StudioBox";
    hardware.subcomponents = {std::string(127, 'S'), std::string(126, 'S')};
    Attach(hardware);
    EXPECT_EQ(Detect(), "CreateMyHWCaps - TypeID too large for local buffer");
    EXPECT_EQ(hardware.CommandsSent().size(), 4u);
}

TEST_F(DetectionTest, FailedHDBoardMergeIsReported)
{
    HWCapsHandle hdBoard = Create("HDBoard");
    char keyname[128];
    ASSERT_TRUE(hdBoard->GetNthCmdParamConditionListKeyname(0, keyname, sizeof keyname));
    // A block under the option's own keyname makes its merge fail.
    const std::string clashing = std::string("HardwareType ClashBox ; Property TarnConduitBaseID INTEGER 77 ;"
                                             " ConditionBlockBegin ; ConditionKeyname ") +
                                 keyname + " ; Condition SampleRate SampleRate INTEGER 0 ; ConditionBlockEnd ;";
    LoadAndCreate(clashing, "ClashBox");
    FakeHardware hardware;
    hardware.typeId = "ClashBox";
    hardware.subcomponents = {"HDBoard"};
    Attach(hardware);
    const std::string output = Detect();
    EXPECT_NE(output.find("CreateMyHWCaps - HWCaps for HD Board not found"), std::string::npos) << output;
    EXPECT_STREQ(Current()->GetHWGuidOrName(), "ClashBox");
}

TEST_F(DetectionTest, OverrideConduitFollowsTheNewHardware)
{
    LoadAndCreate("HardwareType TimedBox ; CmdOverrideTimeout SampleRate 4321 ;"
                  " Property TarnConduitBaseID INTEGER 55 ; Property HasHardwareSubcompCount INTEGER 0 ;",
                  "TimedBox");
    FakeHardware first;
    first.typeId = "OHCI";
    FakeHardware second;
    second.typeId = "TimedBox";
    Attach(first, 1);
    Attach(second, 2);
    TarnLink::TarnCommandFactory::OverrideConduit(&first.conduit);
    EXPECT_STREQ(Current()->GetHWGuidOrName(), "OHCI");

    CoutCapture output;
    EXPECT_TRUE(TarnLink::TarnCommandFactory::OverrideConduit(&second.conduit));
    EXPECT_STREQ(Current()->GetHWGuidOrName(), "TimedBox");
    EXPECT_EQ(TarnLinkPrivate::FindCommandFormat("SampleRate")->GetOverrideTimeoutMillisec(), 4321u);
    EXPECT_EQ(TarnHWCapsManager::Instance()->GetHWCapsPtr(1000)->GetHWGuidOrName(), std::string("OHCI"));

    EXPECT_TRUE(TarnLink::TarnCommandFactory::OverrideConduit(&first.conduit));
    std::uint32_t ohciTimeout = 0;
    Create("OHCI")->GetCommandOverrideTimeoutValue("SampleRate", ohciTimeout);
    EXPECT_EQ(TarnLinkPrivate::FindCommandFormat("SampleRate")->GetOverrideTimeoutMillisec(), ohciTimeout);
}

} // namespace
