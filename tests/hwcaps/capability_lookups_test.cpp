#include <string>

#include "fake_hardware.h"
#include "hwcaps/capability_lookups.h"
#include "hwcaps_fixture.h"
#include "recording_interceptor.h"
#include "tarnlink/TarnHWCapsQueries.h"

namespace {

namespace HWCaps = TarnLink::HWCaps;
using TarnLinkPrivate::LookupBoolProperty;
using TarnLinkPrivate::LookupIntegerProperty;
using TarnLinkPrivate::LookupStringProperty;

const char kLookupBox[] =
    "HardwareType LookupBox ; Property TarnConduitBaseID INTEGER 900 ; Property HasHardwareSubcompCount INTEGER 0 ;"
    " Property IsHDSupported STRING TRUE ; Property SupportsHD STRING false ;"
    " Property BoolUpper STRING TRUE ; Property BoolLower STRING true ; Property BoolTitle STRING True ;"
    " Property BoolMixed STRING tRUE ; Property BoolYes STRING yes ; Property BoolOne STRING 1 ;"
    " Property BoolLonger STRING TRUEST ; Property BoolShorter STRING TRU ;"
    " Property BoolInteger INTEGER 1 ; Property LookupOnlyInteger INTEGER 5 ; Property LookupOnlyString STRING Here ;"
    " Property MaxAudioChannels INTEGER 16 ; Property PeripheralName STRING Lookup_Box_One ;"
    " Property AudioChannelEnumeration STRING 1_2_3_4 ;"
    " ConditionBlockBegin ; Condition SampleRate SampleRate SYMBOL SR_96000Hz ; ConditionBlockEnd ;"
    " Property MaxAudioChannels INTEGER 8 ; Property IsHDSupported STRING false ;";

// LookupBox is the current hardware; the set of OHCI (base id 1000) was
// detected before on another conduit.
class LookupTest : public HWCapsTest {
protected:
    void SetUp() override
    {
        HWCapsTest::SetUp();
        LoadAndCreate(kLookupBox, "LookupBox");
        earlier.typeId = "OHCI";
        current.typeId = "LookupBox";
        TarnLink::TarnCommandFactory::InstallTargetConduit(&earlier.conduit, 1);
        TarnLink::TarnCommandFactory::InstallTargetConduit(&current.conduit, 2);
        CoutCapture quiet;
        TarnLink::TarnCommandFactory::OverrideConduit(&earlier.conduit);
        TarnLink::TarnCommandFactory::OverrideConduit(&current.conduit);
        ASSERT_STREQ(TarnHWCapsManager::Instance()->GetHWCapsPtr()->GetHWGuidOrName(), "LookupBox");
        ASSERT_TRUE(highRate.AddCmdParamSymbolValue("SampleRate", "SampleRate", "SR_96000Hz"));
    }
    void TearDown() override
    {
        TarnHWCapsManager::Instance()->SetInterceptor(nullptr, 0);
        HWCapsTest::TearDown();
    }

    FakeHardware earlier;
    FakeHardware current;
    CmdParamConditionList highRate;
};

TEST_F(LookupTest, OnlyThreeSpellingsOfTrueAreTrue)
{
    const struct {
        const char* key;
        bool expected;
    } cases[] = {{"BoolUpper", true},   {"BoolLower", true},   {"BoolTitle", true},    {"BoolMixed", false},
                 {"BoolYes", false},    {"BoolOne", false},    {"BoolInteger", false}, {"NoSuchKey", false},
                 {"BoolLonger", false}, {"BoolShorter", false}};
    for (const auto& boolCase : cases) {
        EXPECT_EQ(LookupBoolProperty(boolCase.key, nullptr, 0), boolCase.expected) << boolCase.key;
    }
    EXPECT_TRUE(HWCaps::GetSupportsHD());
    EXPECT_FALSE(HWCaps::GetSupportsHD(&highRate));
}

TEST_F(LookupTest, EachKindFallsBackInItsOwnWay)
{
    // A base id without a set: false for a boolean, the current set otherwise.
    std::int32_t value = 0;
    char text[16];
    EXPECT_FALSE(LookupBoolProperty("BoolUpper", nullptr, 1234));
    EXPECT_TRUE(HWCaps::GetConduitBaseID(&value, nullptr, 1234));
    EXPECT_EQ(value, 900);
    EXPECT_TRUE(LookupStringProperty("LookupOnlyString", text, sizeof text, nullptr, 1234));
    EXPECT_STREQ(text, "Here");

    // A set that lacks the property: false for a boolean or an integer, the
    // current set for a string.
    EXPECT_FALSE(LookupBoolProperty("BoolUpper", nullptr, 1000));
    EXPECT_FALSE(LookupIntegerProperty("LookupOnlyInteger", &value, nullptr, 1000));
    EXPECT_TRUE(LookupStringProperty("LookupOnlyString", text, sizeof text, nullptr, 1000));
    EXPECT_STREQ(text, "Here");

    EXPECT_TRUE(HWCaps::GetConduitBaseID(&value, nullptr, 1000));
    EXPECT_EQ(value, 1000);
}

TEST_F(LookupTest, IntegerAndStringArguments)
{
    std::int32_t channels = 0;
    EXPECT_TRUE(HWCaps::GetMaxAudioChannels(nullptr));
    EXPECT_TRUE(HWCaps::GetMaxAudioChannels(&channels, &highRate));
    EXPECT_EQ(channels, 8);
    EXPECT_FALSE(LookupIntegerProperty("PeripheralName", &channels, nullptr, 0));

    char name[32];
    EXPECT_TRUE(HWCaps::GetPeripheralName(name, sizeof name));
    EXPECT_STREQ(name, "Lookup Box One");
    EXPECT_TRUE(HWCaps::GetAudioChannelEnumeration(name, sizeof name));
    EXPECT_STREQ(name, "1_2_3_4");
    char shortName[7];
    EXPECT_TRUE(HWCaps::GetPeripheralName(shortName, sizeof shortName));
    EXPECT_STREQ(shortName, "Lookup");
    char untouched[4] = {'a', 'b', 'c', 'd'};
    EXPECT_FALSE(HWCaps::GetPeripheralName(untouched, 0));
    EXPECT_FALSE(HWCaps::GetPeripheralName(nullptr, 8));
    EXPECT_EQ(std::string(untouched, 4), "abcd");
    EXPECT_FALSE(HWCaps::GetPeripheralName(name, sizeof name, &highRate));
}

TEST_F(LookupTest, InterceptorIsAskedFirstForItsConduitAndTheCurrentOne)
{
    RecordingInterceptor interceptor;
    TarnHWCapsManager::Instance()->SetInterceptor(&interceptor, 7);
    EXPECT_EQ(TarnHWCapsManager::Instance()->GetInterceptor(), &interceptor);
    EXPECT_EQ(TarnHWCapsManager::Instance()->GetInterceptorConduitID(), 7);

    EXPECT_TRUE(HWCaps::GetSupportsHD(nullptr, 0)); // handed on: the set answers
    EXPECT_FALSE(HWCaps::GetSupportsHD(nullptr, 7));
    EXPECT_FALSE(HWCaps::GetSupportsHD(nullptr, 3));
    EXPECT_EQ(interceptor.asked,
              (std::vector<Question>{{"IsHDSupported", Kind::kBoolean, 0}, {"IsHDSupported", Kind::kBoolean, 7}}));

    interceptor.answers = true;
    interceptor.boolAnswer = false;
    EXPECT_FALSE(HWCaps::GetSupportsHD());
    interceptor.boolAnswer = true;
    EXPECT_TRUE(HWCaps::GetSupportsHD(nullptr, 7));

    interceptor.integerAnswer = 42;
    std::int32_t value = 0;
    EXPECT_TRUE(HWCaps::GetMaxAudioChannels(&value, nullptr, 7));
    EXPECT_EQ(value, 42);
    EXPECT_TRUE(HWCaps::GetMaxAudioChannels(nullptr));
    EXPECT_EQ(interceptor.integerPointer, nullptr);

    interceptor.stringAnswer = "Host_Named";
    char name[16];
    EXPECT_TRUE(HWCaps::GetPeripheralName(name, sizeof name));
    EXPECT_STREQ(name, "Host Named");

    TarnHWCapsManager::Instance()->SetInterceptor(nullptr, 0);
    EXPECT_TRUE(HWCaps::GetMaxAudioChannels(&value));
    EXPECT_EQ(value, 16);
}

} // namespace
