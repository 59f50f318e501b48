#include <cstring>
#include <memory>
#include <string>

#include "dictionary/command_registry.h"
#include "hwcaps_fixture.h"

namespace {

const char kQueryBox[] = "# capability set of the query tests ;\n"
                         "HardwareType QueryBox ;\n"
                         "CmdOverrideTimeout SampleRate 5000 ;\n"
                         "CmdOverrideTimeout AudioHostChanMute 250 ;\n"
                         "Property Label STRING Ten_chars_ ;\n"
                         "Property Count INTEGER 8 ;\n"
                         "CommandValues SampleRate SampleRate Symbol SR_44100Hz SR_48000Hz ;\n"
                         "CommandValues AudioHostMonitorChanGain Gain Range -6000 1200 ;\n"
                         "ConditionBlockBegin ; ConditionKeyname HighRate ;\n"
                         "  Condition SampleRate SampleRate SYMBOL SR_96000Hz ; ConditionBlockEnd ;\n"
                         "Property Count INTEGER 4 ;\n"
                         "Property OnlyHigh STRING yes ;\n"
                         "CommandValues AudioHostMonitorChanGain Gain Range -4000 600 ;\n"
                         "ConditionBlockBegin ; ConditionKeyname Muted ;\n"
                         "  Condition AudioHostChanMute Mute SYMBOL AudioHostChan_MuteOn ; ConditionBlockEnd ;\n"
                         "Property Count INTEGER 0 ;\n";

class CapabilitySetTest : public HWCapsTest {
protected:
    void SetUp() override
    {
        HWCapsTest::SetUp();
        caps = LoadAndCreate(kQueryBox, "QueryBox");
        ASSERT_TRUE(caps && TarnLinkPrivate::RegisteredDataOf(*caps) != nullptr);
        ASSERT_TRUE(highRate.AddCmdParamIntegerValue("SampleRate", "SampleRate", 3));
    }

    HWCapsHandle caps;
    CmdParamConditionList highRate;
};

TEST_F(CapabilitySetTest, PropertiesAreSelectedByExactlyEqualConditions)
{
    std::int32_t count = -1;
    EXPECT_TRUE(caps->GetPropertyAsInteger("Count", &count, nullptr));
    EXPECT_EQ(count, 8);
    EXPECT_TRUE(caps->GetPropertyAsInteger("Count", &count, &highRate));
    EXPECT_EQ(count, 4);
    EXPECT_FALSE(caps->HasProperty("OnlyHigh", nullptr));
    EXPECT_TRUE(caps->IsPropertyString("OnlyHigh", &highRate));
    EXPECT_FALSE(caps->IsPropertyInteger("OnlyHigh", &highRate));
    EXPECT_TRUE(caps->HasProperty("Count", std::unique_ptr<CmdParamConditionList>(new CmdParamConditionList).get()));

    CmdParamConditionList moreConditions(highRate);
    ASSERT_TRUE(moreConditions.AddCmdParamIntegerValue("AudioHostChanMute", "Mute", 1));
    EXPECT_FALSE(caps->HasProperty("Count", &moreConditions));
    EXPECT_EQ(caps->GetNumProperties(&moreConditions), 0u);
    EXPECT_EQ(caps->GetNumProperties(&highRate), 2u);
    EXPECT_EQ(caps->GetNumProperties(nullptr), 2u);

    EXPECT_FALSE(caps->GetPropertyAsInteger("Count", nullptr, nullptr));
    EXPECT_FALSE(caps->GetPropertyAsInteger("Label", &count, nullptr));
    EXPECT_FALSE(caps->HasProperty("", nullptr));
    EXPECT_FALSE(caps->HasProperty(nullptr, nullptr));
    EXPECT_FALSE(caps->HasProperty("count", nullptr));
}

TEST_F(CapabilitySetTest, StringValuesAreCutToTheBuffer)
{
    char buffer[5] = {'x', 'x', 'x', 'x', 'x'};
    EXPECT_TRUE(caps->GetPropertyAsString("Label", sizeof buffer, buffer, nullptr));
    EXPECT_STREQ(buffer, "Ten_");
    char whole[32];
    EXPECT_TRUE(caps->GetPropertyAsString("Label", sizeof whole, whole, nullptr));
    EXPECT_STREQ(whole, "Ten_chars_");
    EXPECT_FALSE(caps->GetPropertyAsString("Label", 0, whole, nullptr));
    EXPECT_FALSE(caps->GetPropertyAsString("Label", sizeof whole, nullptr, nullptr));
    EXPECT_FALSE(caps->GetPropertyAsString("Count", sizeof whole, whole, nullptr));
}

TEST_F(CapabilitySetTest, NamesAreRefusedWhenTheBufferHasNoRoomToSpare)
{
    char name[8];
    EXPECT_TRUE(caps->GetNthPropertyName(0, 7, name, nullptr)); // "Count": 5 characters
    EXPECT_STREQ(name, "Count");
    EXPECT_FALSE(caps->GetNthPropertyName(0, 6, name, nullptr));
    EXPECT_TRUE(caps->GetNthPropertyName(1, 7, name, nullptr));
    EXPECT_STREQ(name, "Label");
    EXPECT_FALSE(caps->GetNthPropertyName(2, sizeof name, name, nullptr));
    EXPECT_FALSE(caps->GetNthPropertyName(0, 0, name, nullptr));
    EXPECT_FALSE(caps->GetNthPropertyName(0, sizeof name, nullptr, nullptr));

    char keyname[16];
    EXPECT_EQ(caps->GetNumCmdParamConditionLists(), 2);
    EXPECT_TRUE(caps->GetNthCmdParamConditionListKeyname(1, keyname, 7)); // "Muted"
    EXPECT_STREQ(keyname, "Muted");
    EXPECT_FALSE(caps->GetNthCmdParamConditionListKeyname(0, keyname, 9)); // "HighRate"
    EXPECT_FALSE(caps->GetNthCmdParamConditionListKeyname(2, keyname, sizeof keyname));
    EXPECT_FALSE(caps->GetNthCmdParamConditionListKeyname(-1, keyname, sizeof keyname));
    EXPECT_FALSE(caps->GetNthCmdParamConditionListKeyname(0, nullptr, sizeof keyname));
}

TEST_F(CapabilitySetTest, CommandValuesFollowTheirConditions)
{
    EXPECT_TRUE(caps->CommandParameterHasSymbolValues("SampleRate", "SampleRate", nullptr));
    EXPECT_FALSE(caps->CommandParameterHasRangeValues("SampleRate", "SampleRate", nullptr));
    EXPECT_FALSE(caps->CommandParameterHasDefinedValues("SampleRate", "SampleRate", &highRate));
    std::int32_t count = 0;
    EXPECT_TRUE(caps->GetCommandParameterNumSymbolValues("SampleRate", "SampleRate", &count, nullptr));
    EXPECT_EQ(count, 2);
    EXPECT_FALSE(caps->GetCommandParameterNumSymbolValues("SampleRate", "SampleRate", nullptr, nullptr));
    char symbol[8];
    EXPECT_TRUE(caps->GetCommandParameterNthSymbolValue("SampleRate", "SampleRate", 1, sizeof symbol, symbol, nullptr));
    EXPECT_STREQ(symbol, "SR_4800");
    EXPECT_FALSE(
        caps->GetCommandParameterNthSymbolValue("SampleRate", "SampleRate", 2, sizeof symbol, symbol, nullptr));
    EXPECT_FALSE(
        caps->GetCommandParameterNthSymbolValue("SampleRate", "SampleRate", -1, sizeof symbol, symbol, nullptr));
    EXPECT_FALSE(caps->GetCommandParameterNthSymbolValue("SampleRate", "SampleRate", 0, 0, symbol, nullptr));

    std::int32_t low = 0;
    std::int32_t high = 0;
    EXPECT_TRUE(caps->GetCommandParameterRanges("AudioHostMonitorChanGain", "Gain", &low, &high, nullptr));
    EXPECT_EQ(low, -6000);
    EXPECT_EQ(high, 1200);
    EXPECT_TRUE(caps->GetCommandParameterRanges("AudioHostMonitorChanGain", "Gain", &low, &high, &highRate));
    EXPECT_EQ(low, -4000);
    EXPECT_EQ(high, 600);
    EXPECT_FALSE(caps->GetCommandParameterRanges("AudioHostMonitorChanGain", "Gain", nullptr, &high, nullptr));
    EXPECT_FALSE(caps->GetCommandParameterRanges("SampleRate", "SampleRate", &low, &high, nullptr));
    EXPECT_FALSE(caps->CommandParameterHasDefinedValues("", "Gain", nullptr));
    EXPECT_FALSE(caps->CommandParameterHasDefinedValues("AudioHostMonitorChanGain", nullptr, nullptr));
}

TEST_F(CapabilitySetTest, ConditionListsByKeyname)
{
    EXPECT_TRUE(caps->HasCmdParamConditionListKeyname("Muted"));
    EXPECT_FALSE(caps->HasCmdParamConditionListKeyname("muted"));
    EXPECT_FALSE(caps->HasCmdParamConditionListKeyname(nullptr));

    std::unique_ptr<CmdParamConditionList> list(caps->CreateCmdParamConditionListByKeyname("HighRate"));
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->MatchRequired(highRate));
    std::int32_t count = 0;
    EXPECT_TRUE(caps->GetPropertyAsInteger("Count", &count, list.get()));
    EXPECT_EQ(count, 4);

    std::unique_ptr<CmdParamConditionList> unknown(caps->CreateCmdParamConditionListByKeyname("NoSuchBlock"));
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->GetNumConditions(), 0);
}

TEST_F(CapabilitySetTest, TimeoutsAreStoredAndConfigured)
{
    std::uint32_t millisec = 99;
    EXPECT_TRUE(caps->HasCommandOverrideTimeoutValue("SampleRate"));
    EXPECT_TRUE(caps->GetCommandOverrideTimeoutValue("SampleRate", millisec));
    EXPECT_EQ(millisec, 5000u);
    EXPECT_FALSE(caps->GetCommandOverrideTimeoutValue("AudioHostMonitorChanGain", millisec));
    EXPECT_EQ(millisec, 0u);
    EXPECT_FALSE(caps->HasCommandOverrideTimeoutValue(nullptr));

    EXPECT_TRUE(caps->ConfigureOverrideTimeoutsFromHWCaps());
    EXPECT_EQ(TarnLinkPrivate::FindCommandFormat("SampleRate")->GetOverrideTimeoutMillisec(), 5000u);
    EXPECT_EQ(TarnLinkPrivate::FindCommandFormat("AudioHostChanMute")->GetOverrideTimeoutMillisec(), 250u);
    TarnHWCapsFactory::ClearOverrideTimeouts();
    EXPECT_EQ(TarnLinkPrivate::FindCommandFormat("SampleRate")->GetOverrideTimeoutMillisec(), 0u);
}

TEST_F(CapabilitySetTest, UndefinedCommandStopsConfiguringTimeouts)
{
    HWCapsHandle partly = LoadAndCreate(
        "HardwareType PartlyKnown ; CmdOverrideTimeout AudioHostChanMute 300 ; CmdOverrideTimeout Bogus 10 ;"
        " CmdOverrideTimeout SampleRate 700 ;",
        "PartlyKnown");
    TarnLink::TarnCommandFactory::SetVerbosity(true, false);
    CoutCapture output;
    EXPECT_FALSE(partly->ConfigureOverrideTimeoutsFromHWCaps());
    TarnLink::TarnCommandFactory::SetVerbosity(false, false);
    EXPECT_EQ(output.Text(), "\nGetOverrideTimeoutMillisec - Command format not found - Command : Bogus");
    EXPECT_EQ(TarnLinkPrivate::FindCommandFormat("AudioHostChanMute")->GetOverrideTimeoutMillisec(), 300u);
    EXPECT_EQ(TarnLinkPrivate::FindCommandFormat("SampleRate")->GetOverrideTimeoutMillisec(), 0u);
}

TEST_F(CapabilitySetTest, HandleWithoutDataAnswersNothing)
{
    HWCapsHandle empty = Create("NoSuchHardware");
    ASSERT_TRUE(empty);
    EXPECT_STREQ(empty->GetHWGuidOrName(), "EMPTY");
    EXPECT_STREQ(empty->GetHWCapsFilename(), "EMPTY");
    EXPECT_EQ(TarnLinkPrivate::RegisteredDataOf(*empty), nullptr);
    EXPECT_FALSE(empty->HasProperty("Count", nullptr));
    EXPECT_EQ(empty->GetNumProperties(nullptr), 0u);
    EXPECT_EQ(empty->GetNumCmdParamConditionLists(), 0);
    EXPECT_FALSE(empty->ConfigureOverrideTimeoutsFromHWCaps());
    EXPECT_FALSE(empty->MergeHWCaps(caps.get()));
    EXPECT_FALSE(caps->MergeHWCaps(empty.get()));
    EXPECT_FALSE(caps->MergeHWCaps(nullptr));
    std::uint32_t millisec = 7;
    EXPECT_FALSE(empty->GetCommandOverrideTimeoutValue("SampleRate", millisec));
    EXPECT_EQ(millisec, 7u);

    char buffer[4] = {'a', 'b', 'c', 'd'};
    EXPECT_FALSE(empty->GetPropertyAsString("Label", sizeof buffer, buffer, nullptr));
    EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(4, '\0'));
    std::unique_ptr<CmdParamConditionList> list(empty->CreateCmdParamConditionListByKeyname("HighRate"));
    ASSERT_TRUE(list);
    EXPECT_EQ(list->GetNumConditions(), 0);

    TarnHWCaps* released = empty.release();
    TarnHWCapsFactory::DestroyHWCaps(released);
    EXPECT_EQ(released, nullptr);
    TarnHWCapsFactory::DestroyHWCaps(released);
}

// A handle kept over a restart never reads the set destroyed under it: it
// answers nothing, while a new handle reads the set loaded since.
TEST_F(CapabilitySetTest, HandleKeptOverARestartAnswersNothing)
{
    HWCapsHandle kept = Create("StudioBox");
    {
        CoutCapture quiet;
        ASSERT_TRUE(TarnLink::TarnCommandFactory::Terminate());
        ASSERT_TRUE(TarnLink::TarnCommandFactory::Initialize());
    }
    std::int32_t baseId = 0;
    EXPECT_FALSE(kept->GetPropertyAsInteger("TarnConduitBaseID", &baseId, nullptr));
    EXPECT_FALSE(kept->HasCmdParamConditionListKeyname("StudioBox_96k"));
    EXPECT_STREQ(kept->GetHWCapsFilename(), "StudioBox");
    EXPECT_TRUE(Create("StudioBox")->GetPropertyAsInteger("TarnConduitBaseID", &baseId, nullptr));
    EXPECT_EQ(baseId, 4000);
}

} // namespace
