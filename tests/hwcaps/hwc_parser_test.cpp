#include <string>

#include "describe_caps.h"
#include "hwcaps_fixture.h"

namespace {

using TarnLinkPrivate::HWCapsData;

struct ParseCase {
    const char* what;
    const char* text;
    bool parses;
    const char* content; // Describe() of the set after a successful parse
};

const ParseCase kParseCases[] = {
    {"a comment runs to its semicolon, not to the line end", "# note\nProperty A INTEGER 1 ;\nProperty B INTEGER 2 ;",
     true, "{}B=2 "},
    {"text after the last semicolon is ignored", "Property A INTEGER 1 ; Property B INTEGER 2", true, "{}A=1 "},
    {"an empty statement ends the file", "Property A INTEGER 1 ; ; Property B INTEGER 2 ;", true, "{}A=1 "},
    {"a number directly before the semicolon", "Property A INTEGER 1;", true, "{}A=1 "},
    {"a negative number", "Property A INTEGER -7 ;", true, "{}A=-7 "},
    {"a string directly before the semicolon", "Property A STRING TRUE;", true, "{}A='TRUE' "},
    {"statements spanning lines", "Property\nA\tINTEGER\n3\n;HardwareType X;", true, "type=X {}A=3 "},
    {"a word where a number belongs", "Property A INTEGER 1x ;", false, ""},
    {"a number out of range", "Property A INTEGER 2147483648 ;", false, ""},
    {"a missing number", "Property A INTEGER ;", false, ""},
    {"an unknown property kind", "Property A FLOAT 1 ;", false, ""},
    {"a string property without value", "Property A STRING ;", false, ""},
    {"a property without name", "Property ;", false, ""},
    {"the same property twice under the same conditions", "Property A INTEGER 1 ; Property A STRING x ;", false, ""},
    {"the same property under different conditions",
     "Property A INTEGER 1 ; ConditionBlockBegin ; Condition SampleRate SampleRate SYMBOL SR_96000Hz ; "
     "ConditionBlockEnd ; Property A INTEGER 2 ;",
     true, "{}A=1 {SampleRate.SampleRate=3 }A=2 lists=1 "},
    {"a property inside an open block", "ConditionBlockBegin ; Property A INTEGER 1 ; ConditionBlockEnd ;", false, ""},
    {"an empty block is dropped and the default list is current again",
     "ConditionBlockBegin ; ConditionKeyname Empty ; ConditionBlockEnd ; Property A INTEGER 1 ;", true, "{}A=1 "},
    {"a closed block stays current until the next block",
     "ConditionBlockBegin ; Condition SampleRate SampleRate INTEGER 2 ; ConditionBlockEnd ; ConditionBlockEnd ; "
     "Property A INTEGER 1 ; ConditionBlockBegin ; ConditionBlockEnd ; Property B INTEGER 2 ;",
     true, "{SampleRate.SampleRate=2 }A=1 {}B=2 lists=1 "},
    {"a block end with the default list current", "ConditionBlockEnd ; Property A INTEGER 1 ;", false, ""},
    {"a block opened twice", "ConditionBlockBegin ; ConditionBlockBegin ;", false, ""},
    {"a condition outside a block", "Condition SampleRate SampleRate INTEGER 2 ;", false, ""},
    {"a keyname outside a block", "ConditionKeyname K ;", false, ""},
    {"a repeated condition replaces the earlier value",
     "ConditionBlockBegin ; Condition SampleRate SampleRate INTEGER 1 ; Condition SampleRate SampleRate SYMBOL "
     "SR_48000Hz;ConditionBlockEnd ; Property A INTEGER 1 ;",
     true, "{SampleRate.SampleRate=2 }A=1 lists=1 "},
    {"a condition on an unknown command", "ConditionBlockBegin ; Condition NoSuchCommand SampleRate INTEGER 1 ;", false,
     ""},
    {"a condition on an unknown parameter", "ConditionBlockBegin ; Condition SampleRate Rate INTEGER 1 ;", false, ""},
    {"a condition on an unknown symbol", "ConditionBlockBegin ; Condition SampleRate SampleRate SYMBOL SR_1Hz ;", false,
     ""},
    {"a condition of an unknown kind", "ConditionBlockBegin ; Condition SampleRate SampleRate STRING x ;", false, ""},
    {"a condition cut short", "ConditionBlockBegin ; Condition SampleRate ;", false, ""},
    {"symbol values directly before the semicolon", "CommandValues SampleRate SampleRate Symbol SR_32000Hz SR_48000Hz;",
     true, "{}SampleRate.SampleRate=SR_32000Hz,SR_48000Hz, "},
    {"a symbol value the command does not define", "CommandValues SampleRate SampleRate Symbol SR_32000Hz SR_1Hz ;",
     false, ""},
    {"symbol values of an unknown command", "CommandValues NoSuchCommand SampleRate Symbol SR_32000Hz ;", false, ""},
    {"an empty symbol list", "CommandValues SampleRate SampleRate Symbol ;", false, ""},
    {"a range, low above high as written", "CommandValues AudioHostMonitorChanGain Gain Range 12 -60;", true,
     "{}AudioHostMonitorChanGain.Gain=12..-60 "},
    {"a range without its high end", "CommandValues AudioHostMonitorChanGain Gain Range 12 ;", false, ""},
    {"command values of an unknown kind", "CommandValues SampleRate SampleRate List SR_32000Hz ;", false, ""},
    {"command values twice under the same conditions",
     "CommandValues SampleRate SampleRate Symbol SR_32000Hz ; CommandValues SampleRate SampleRate Range 0 1 ;", false,
     ""},
    {"command values under different conditions",
     "CommandValues AudioHostMonitorChanGain Gain Range -60 12 ; ConditionBlockBegin ; Condition SampleRate "
     "SampleRate SYMBOL SR_96000Hz ; ConditionBlockEnd ; CommandValues AudioHostMonitorChanGain Gain Range -40 6 ;",
     true,
     "{}AudioHostMonitorChanGain.Gain=-60..12 {SampleRate.SampleRate=3 }AudioHostMonitorChanGain.Gain=-40..6 "
     "lists=1 "},
    {"a later time-out replaces an earlier one",
     "CmdOverrideTimeout SampleRate 5000 ; CmdOverrideTimeout SampleRate 7000;", true, "timeout SampleRate=7000 "},
    {"a negative time-out", "CmdOverrideTimeout SampleRate -1 ;", false, ""},
    {"a time-out inside a block", "ConditionBlockBegin ; CmdOverrideTimeout SampleRate 10 ;", false, ""},
    {"an unknown keyword", "Propety A INTEGER 1 ;", false, ""},
    {"HardwareType inside a block", "ConditionBlockBegin ; HardwareType Box ; ConditionBlockEnd ;", true, "type=Box "},
    {"HardwareType without name", "HardwareType ;", false, ""},
};

class HWCParserTest : public HWCapsTest {};

TEST_F(HWCParserTest, StatementsAndBlockStates)
{
    for (const ParseCase& parseCase : kParseCases) {
        HWCapsData data;
        CoutCapture output;
        const bool parsed = Parse(parseCase.text, data);
        EXPECT_EQ(parsed, parseCase.parses) << parseCase.what;
        if (parsed) {
            EXPECT_EQ(Describe(data), parseCase.content) << parseCase.what;
            EXPECT_EQ(output.Text(), "") << parseCase.what;
        } else {
            EXPECT_EQ(output.Text(), "\n\nERROR - Failed To Successfully parse Hardware Capabilities file : t.hwc")
                << parseCase.what;
        }
        EXPECT_EQ(data.CurrentList(), nullptr) << parseCase.what;
    }
}

TEST_F(HWCParserTest, SecondHardwareTypeIsReportedAndFailsTheFileAfterReadingIt)
{
    HWCapsData data;
    CoutCapture output;
    EXPECT_FALSE(Parse("HardwareType A ; HardwareType B ; Property P INTEGER 1 ;", data));
    EXPECT_EQ(output.Text(), "\n\nERROR - duplicate HardwareType key found in Hardware Capabilities file : t.hwc"
                             "\n\nERROR - Failed To Successfully parse Hardware Capabilities file : t.hwc");
    EXPECT_EQ(Describe(data), "type=B {}P=1 ");
}

// Names are looked up as C strings: a NUL byte would make one unreachable.
TEST_F(HWCParserTest, NulByteInAStatementFailsTheFile)
{
    HWCapsData data;
    CoutCapture output;
    EXPECT_FALSE(Parse(std::string("HardwareType Box ; Property A\0B INTEGER 1 ;", 43), data));
    EXPECT_EQ(output.Text(), "\n\nERROR - NUL byte in statement of Hardware Capabilities file : t.hwc"
                             "\n\nERROR - Failed To Successfully parse Hardware Capabilities file : t.hwc");
}

TEST_F(HWCParserTest, StatementLongerThanItsBufferFailsTheFile)
{
    const std::string fits = "Property A STRING " + std::string(8191 - 18, 'x') + ";";
    const std::string tooLong = "Property A STRING " + std::string(8192 - 18, 'x') + ";";
    {
        HWCapsData data;
        EXPECT_TRUE(Parse(fits, data));
    }
    // Too long, whether or not a ";" closes it.
    for (const std::string& text : {tooLong, tooLong.substr(0, tooLong.size() - 1)}) {
        HWCapsData data;
        CoutCapture output;
        EXPECT_FALSE(Parse(text, data));
        EXPECT_EQ(output.Text(), "\n\nERROR - Statement too long in Hardware Capabilities file : t.hwc"
                                 "\n\nERROR - Failed To Successfully parse Hardware Capabilities file : t.hwc");
    }
}

TEST_F(HWCParserTest, LoadRegistersEachTypeOnce)
{
    CoutCapture output;
    EXPECT_TRUE(Load("HardwareType ParserBox ; Property A INTEGER 1 ;", "first.hwc"));
    EXPECT_FALSE(Load("HardwareType ParserBox ; Property A INTEGER 2 ;", "second.hwc"));
    EXPECT_FALSE(Load("HardwareType Other ; Property ;", "broken.hwc"));
    EXPECT_EQ(output.Text(), "\n\nERROR - Duplicate HardwareTypeID in file : second.hwc HardwareTypeID : ParserBox"
                             "\n\nERROR - Failed To Successfully parse Hardware Capabilities file : broken.hwc");

    HWCapsHandle caps = Create("ParserBox");
    std::int32_t value = 0;
    EXPECT_TRUE(caps->GetPropertyAsInteger("A", &value, nullptr));
    EXPECT_EQ(value, 1);
    EXPECT_STREQ(caps->GetHWCapsFilename(), "first.hwc");
    EXPECT_STREQ(Create("Other")->GetHWGuidOrName(), "EMPTY");
}

} // namespace
