#include <string>

#include "describe_caps.h"
#include "hwcaps_fixture.h"

namespace {

const char kBase[] =
    "HardwareType MergeBase ; CmdOverrideTimeout SampleRate 5000 ; CmdOverrideTimeout AudioHostChanMute 8000 ;"
    " Property Name STRING Base ; Property Channels INTEGER 8 ;"
    " CommandValues SampleRate SampleRate Symbol SR_44100Hz SR_48000Hz ;"
    " CommandValues AudioHostMonitorChanGain Gain Range -60 12 ;"
    " ConditionBlockBegin ; ConditionKeyname BaseHigh ; Condition SampleRate SampleRate SYMBOL SR_96000Hz ;"
    " ConditionBlockEnd ; Property Channels INTEGER 4 ;";

// Its first block has the conditions of the base's block under another
// keyname; its second block is new to the base.
const char kOption[] =
    "HardwareType MergeOption ; CmdOverrideTimeout SampleRate 8000 ; CmdOverrideTimeout AudioHostChanMute 5000 ;"
    " CmdOverrideTimeout AudioHostMonitorChanGain 100 ;"
    " Property Name STRING Option ; Property HD STRING TRUE ;"
    " CommandValues SampleRate SampleRate Symbol SR_48000Hz SR_96000Hz ;"
    " CommandValues AudioHostChanMute Mute Range 0 1 ;"
    " ConditionBlockBegin ; ConditionKeyname OptHigh ; Condition SampleRate SampleRate INTEGER 3 ;"
    " ConditionBlockEnd ; Property Channels INTEGER 2 ; CommandValues SampleRate SampleRate Symbol SR_96000Hz ;"
    " ConditionBlockBegin ; ConditionKeyname OptMuted ; Condition AudioHostChanMute Mute INTEGER 1 ;"
    " ConditionBlockEnd ; Property Quiet STRING true ; CommandValues AudioHostMonitorChanGain Gain Range -20 0 ;";

class MergeTest : public HWCapsTest {};

TEST_F(MergeTest, MergeFoldsEveryPartIntoTheTarget)
{
    HWCapsHandle base = LoadAndCreate(kBase, "MergeBase");
    HWCapsHandle option = LoadAndCreate(kOption, "MergeOption");
    CoutCapture output;
    ASSERT_TRUE(base->MergeHWCaps(option.get()));
    EXPECT_EQ(output.Text(), "");
    EXPECT_EQ(Describe(*TarnLinkPrivate::RegisteredDataOf(*base)),
              "type=MergeBase {}Channels=8 {}HD='TRUE' {}Name='Option' "
              "{SampleRate.SampleRate=3 }Channels=2 {AudioHostChanMute.Mute=1 }Quiet='true' "
              "{}AudioHostChanMute.Mute=0..1 {}AudioHostMonitorChanGain.Gain=-60..12 "
              "{AudioHostChanMute.Mute=1 }AudioHostMonitorChanGain.Gain=-20..0 "
              "{}SampleRate.SampleRate=SR_44100Hz,SR_48000Hz,SR_96000Hz, "
              "{SampleRate.SampleRate=3 }SampleRate.SampleRate=SR_96000Hz, "
              "timeout AudioHostChanMute=8000 timeout AudioHostMonitorChanGain=100 timeout SampleRate=8000 lists=2 ");
    char keyname[16];
    ASSERT_TRUE(base->GetNthCmdParamConditionListKeyname(1, keyname, sizeof keyname));
    EXPECT_STREQ(keyname, "OptMuted");
}

TEST_F(MergeTest, RangesAndSymbolListsReplaceEachOther)
{
    HWCapsHandle base = LoadAndCreate("HardwareType KindBase ; CommandValues SampleRate SampleRate Symbol SR_32000Hz ;"
                                      " CommandValues AudioHostChanMute Mute Range 0 1 ;",
                                      "KindBase");
    HWCapsHandle option = LoadAndCreate("HardwareType KindOption ; CommandValues SampleRate SampleRate Range 0 3 ;"
                                        " CommandValues AudioHostChanMute Mute Symbol AudioHostChan_MuteOn ;",
                                        "KindOption");
    ASSERT_TRUE(base->MergeHWCaps(option.get()));
    EXPECT_EQ(Describe(*TarnLinkPrivate::RegisteredDataOf(*base)),
              "type=KindBase {}AudioHostChanMute.Mute=AudioHostChan_MuteOn, {}SampleRate.SampleRate=0..3 ");
}

TEST_F(MergeTest, CollidingKeynamesFailAfterTheTimeoutsMerged)
{
    struct CollisionCase {
        const char* what;
        const char* option;
    };
    const CollisionCase cases[] = {
        {"the same keyname",
         "HardwareType Clash ; CmdOverrideTimeout SampleRate 9000 ; ConditionBlockBegin ; ConditionKeyname BaseHigh ;"
         " Condition AudioHostChanMute Mute INTEGER 0 ; ConditionBlockEnd ; Property P INTEGER 1 ;"},
        {"a block without keyname",
         "HardwareType Clash ; CmdOverrideTimeout SampleRate 9000 ; ConditionBlockBegin ;"
         " Condition AudioHostChanMute Mute INTEGER 0 ; ConditionBlockEnd ; Property P INTEGER 1 ;"},
    };
    for (const CollisionCase& collision : cases) {
        TearDown();
        SetUp();
        HWCapsHandle base = LoadAndCreate(kBase, "MergeBase");
        CoutCapture loading;
        ASSERT_TRUE(Load(collision.option, "clash.hwc")) << collision.what;
        HWCapsHandle option = Create("Clash");
        CoutCapture output;
        EXPECT_FALSE(base->MergeHWCaps(option.get())) << collision.what;
        EXPECT_EQ(output.Text(),
                  "\n\nERROR - duplicate Condition list key found trying to merge options file : clash.hwc")
            << collision.what;
        std::uint32_t millisec = 0;
        EXPECT_TRUE(base->GetCommandOverrideTimeoutValue("SampleRate", millisec));
        EXPECT_EQ(millisec, 9000u) << collision.what;
        EXPECT_EQ(base->GetNumCmdParamConditionLists(), 1) << collision.what;
    }
}

TEST_F(MergeTest, MergeChangesTheDataEveryHandleOfTheTypeShares)
{
    HWCapsHandle base = LoadAndCreate(kBase, "MergeBase");
    HWCapsHandle option = LoadAndCreate(kOption, "MergeOption");
    HWCapsHandle secondHandle = Create("MergeBase");
    ASSERT_TRUE(base->MergeHWCaps(option.get()));
    EXPECT_TRUE(secondHandle->HasProperty("HD", nullptr));
    EXPECT_TRUE(base->MergeHWCaps(base.get()));
}

} // namespace
