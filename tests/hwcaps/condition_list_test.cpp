#include <cstring>
#include <string>

#include "hwcaps_fixture.h"

namespace {

class ConditionListTest : public HWCapsTest {};

TEST_F(ConditionListTest, AddChecksNamesAgainstTheDictionary)
{
    struct AddCase {
        const char* command;
        const char* parameter;
        const char* symbol; // null: add as integer 2
        bool added;
    };
    const AddCase cases[] = {
        {"SampleRate", "SampleRate", nullptr, true},     {"SampleRate", "SampleRate", "SR_96000Hz", true},
        {"NoSuchCommand", "SampleRate", nullptr, false}, {"SampleRate", "Rate", nullptr, false},
        {"SampleRate", "SampleRate", "SR_1Hz", false},   {"SampleRate", "SampleRate", "AudioHostChan_MuteOn", false},
        {nullptr, "SampleRate", nullptr, false},         {"SampleRate", nullptr, "SR_96000Hz", false},
        {"SampleRate", "SampleRate", "", false},
    };
    for (const AddCase& addCase : cases) {
        CmdParamConditionList list;
        const bool added = addCase.symbol == nullptr
                               ? list.AddCmdParamIntegerValue(addCase.command, addCase.parameter, 2)
                               : list.AddCmdParamSymbolValue(addCase.command, addCase.parameter, addCase.symbol);
        EXPECT_EQ(added, addCase.added) << (addCase.command ? addCase.command : "null") << " "
                                        << (addCase.parameter ? addCase.parameter : "null") << " "
                                        << (addCase.symbol ? addCase.symbol : "integer");
        EXPECT_EQ(list.GetNumConditions(), added ? 1 : 0);
    }
}

TEST_F(ConditionListTest, ValuesReplaceAndRemove)
{
    CmdParamConditionList list;
    ASSERT_TRUE(list.AddCmdParamIntegerValue("SampleRate", "SampleRate", 1));
    ASSERT_TRUE(list.AddCmdParamSymbolValue("SampleRate", "SampleRate", "SR_96000Hz"));
    ASSERT_TRUE(list.AddCmdParamIntegerValue("AudioHostMonitorChanGain", "Gain", -6));
    std::int32_t value = 0;
    EXPECT_TRUE(list.GetConditionValue("SampleRate", "SampleRate", &value));
    EXPECT_EQ(value, 3);
    EXPECT_FALSE(list.GetConditionValue("SampleRate", "SampleRate", nullptr));
    EXPECT_EQ(list.GetNumConditions(), 2);

    list.RemoveCmdParamValue("SampleRate", "SampleRate");
    list.RemoveCmdParamValue("SampleRate", "SampleRate");
    list.RemoveCmdParamValue(nullptr, nullptr);
    EXPECT_FALSE(list.ConditionExists("SampleRate", "SampleRate"));
    EXPECT_TRUE(list.ConditionExists("AudioHostMonitorChanGain", "Gain"));
    EXPECT_FALSE(list.ConditionExists(nullptr, "Gain"));
    EXPECT_EQ(list.GetNumConditions(), 1);
    // The command left without parameters is gone too: lists with a different
    // number of commands never match.
    CmdParamConditionList gainOnly;
    ASSERT_TRUE(gainOnly.AddCmdParamIntegerValue("AudioHostMonitorChanGain", "Gain", -6));
    EXPECT_TRUE(list.MatchRequired(gainOnly));
}

TEST_F(ConditionListTest, MatchingComparesNumericValuesOnly)
{
    CmdParamConditionList bySymbol;
    CmdParamConditionList byNumber;
    ASSERT_TRUE(bySymbol.AddCmdParamSymbolValue("SampleRate", "SampleRate", "SR_48000Hz"));
    ASSERT_TRUE(byNumber.AddCmdParamIntegerValue("SampleRate", "SampleRate", 2));
    EXPECT_TRUE(bySymbol.MatchRequired(byNumber));
    EXPECT_TRUE(byNumber.MatchRequired(bySymbol));

    CmdParamConditionList extra(byNumber);
    ASSERT_TRUE(extra.AddCmdParamIntegerValue("AudioHostMonitorChanGain", "Gain", 0));
    EXPECT_FALSE(extra.MatchRequired(byNumber));
    EXPECT_FALSE(byNumber.MatchRequired(extra));

    CmdParamConditionList otherValue;
    ASSERT_TRUE(otherValue.AddCmdParamIntegerValue("SampleRate", "SampleRate", 3));
    EXPECT_FALSE(otherValue.MatchRequired(byNumber));

    const CmdParamConditionList empty;
    EXPECT_TRUE(empty.MatchRequired(CmdParamConditionList()));
    EXPECT_FALSE(empty.MatchRequired(byNumber));
    EXPECT_FALSE(byNumber.MatchRequired(empty));
}

TEST_F(ConditionListTest, CopiesAreDeep)
{
    CmdParamConditionList original;
    ASSERT_TRUE(original.AddCmdParamIntegerValue("SampleRate", "SampleRate", 1));
    CmdParamConditionList copy(original);
    CmdParamConditionList assigned;
    assigned = original;
    assigned = assigned;
    original.RemoveCmdParamValue("SampleRate", "SampleRate");
    EXPECT_EQ(copy.GetNumConditions(), 1);
    EXPECT_EQ(assigned.GetNumConditions(), 1);
    EXPECT_EQ(original.GetNumConditions(), 0);
}

TEST_F(ConditionListTest, NthConditionInfoNumbersByNameAndRefusesShortBuffers)
{
    CmdParamConditionList list;
    ASSERT_TRUE(list.AddCmdParamIntegerValue("SampleRate", "SampleRate", 1));
    ASSERT_TRUE(list.AddCmdParamIntegerValue("AudioHostMonitorChanGain", "Output", 4));
    ASSERT_TRUE(list.AddCmdParamIntegerValue("AudioHostMonitorChanGain", "Input", 3));
    ASSERT_TRUE(list.AddCmdParamSymbolValue("AudioHostChanMute", "Mute", "AudioHostChan_MuteOn"));

    struct Expected {
        const char* command;
        const char* parameter;
        std::int32_t value;
        const char* symbol;
    };
    const Expected order[] = {{"AudioHostChanMute", "Mute", 1, "AudioHostChan_MuteOn"},
                              {"AudioHostMonitorChanGain", "Input", 3, ""},
                              {"AudioHostMonitorChanGain", "Output", 4, ""},
                              {"SampleRate", "SampleRate", 1, ""}};
    for (std::int32_t n = 0; n < 4; ++n) {
        char command[64];
        char parameter[64];
        char symbol[64];
        std::int32_t value = -1;
        ASSERT_TRUE(list.GetNthConditionInfo(n, sizeof command, command, sizeof parameter, parameter, &value,
                                             sizeof symbol, symbol));
        EXPECT_STREQ(command, order[n].command);
        EXPECT_STREQ(parameter, order[n].parameter);
        EXPECT_EQ(value, order[n].value);
        EXPECT_STREQ(symbol, order[n].symbol);
    }

    // "SampleRate" has 10 characters: a buffer needs room for two more bytes.
    char command[16];
    char parameter[16];
    char symbol[4];
    std::int32_t value = 0;
    EXPECT_TRUE(list.GetNthConditionInfo(3, 12, command, 12, parameter, &value, sizeof symbol, symbol));
    EXPECT_FALSE(list.GetNthConditionInfo(3, 11, command, 12, parameter, &value, sizeof symbol, symbol));
    EXPECT_FALSE(list.GetNthConditionInfo(3, 12, command, 11, parameter, &value, sizeof symbol, symbol));
    EXPECT_FALSE(list.GetNthConditionInfo(0, 16, command, 16, parameter, &value, sizeof symbol, symbol));
    EXPECT_FALSE(list.GetNthConditionInfo(3, 0, command, 12, parameter, &value, sizeof symbol, symbol));
    EXPECT_FALSE(list.GetNthConditionInfo(3, 12, nullptr, 12, parameter, &value, sizeof symbol, symbol));
    EXPECT_FALSE(list.GetNthConditionInfo(3, 12, command, 12, parameter, nullptr, sizeof symbol, symbol));
    EXPECT_FALSE(list.GetNthConditionInfo(3, 12, command, 12, parameter, &value, sizeof symbol, nullptr));
    EXPECT_FALSE(list.GetNthConditionInfo(4, 12, command, 12, parameter, &value, sizeof symbol, symbol));
    EXPECT_FALSE(list.GetNthConditionInfo(-1, 12, command, 12, parameter, &value, sizeof symbol, symbol));
}

} // namespace
