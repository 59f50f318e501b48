#include "runtime_fixture.h"

#include <cstring>
#include <limits>

namespace {

class CommandQueriesTest : public RuntimeTest {
protected:
    // Runs the query with the verbose flag on and gives what it wrote.
    template <class Query>
    static std::string VerboseOutputOf(Query query)
    {
        TarnCommandFactory::SetVerbosity(true, false);
        CoutCapture output;
        query();
        TarnCommandFactory::SetVerbosity(false, false);
        return output.Text();
    }
};

TEST_F(CommandQueriesTest, SymbolicConstantValues)
{
    TarnCommand mute("AudioHostChanMute");
    std::int32_t value = -1;
    EXPECT_TRUE(TarnCommandFactory::GetCommandSymbolicConstantValue(mute, "AudioHostChan_MuteOn", &value));
    EXPECT_EQ(value, 1);
    EXPECT_TRUE(TarnCommandFactory::GetCommandSymbolicConstantValue("RtLevel", "Level_Low", &value));
    EXPECT_EQ(value, -5);

    value = 42;
    EXPECT_EQ(VerboseOutputOf(
                  [&] { EXPECT_FALSE(TarnCommandFactory::GetCommandSymbolicConstantValue(mute, "Nope", &value)); }),
              "\nIsParameterEqualToSymbol -  Symbol not found - Command : AudioHostChanMute Symbol: Nope");
    EXPECT_EQ(VerboseOutputOf(
                  [&] { EXPECT_FALSE(TarnCommandFactory::GetCommandSymbolicConstantValue("", "Level_Low", &value)); }),
              "");
    TarnCommand unnamed;
    EXPECT_EQ(VerboseOutputOf([&] {
                  EXPECT_FALSE(TarnCommandFactory::GetCommandSymbolicConstantValue(unnamed, "Level_Low", &value));
              }),
              "\nIsParameterEqualToSymbol - Command not found - Command : ");
    EXPECT_FALSE(TarnCommandFactory::GetCommandSymbolicConstantValue(mute, "AudioHostChan_MuteOn", nullptr));
    EXPECT_FALSE(TarnCommandFactory::GetCommandSymbolicConstantValue(mute, nullptr, &value));
    EXPECT_FALSE(TarnCommandFactory::GetCommandSymbolicConstantValue(nullptr, "Level_Low", &value));
    EXPECT_EQ(value, 42);
}

TEST_F(CommandQueriesTest, ParameterEqualsSymbolByTheTypesWidth)
{
    TarnCommand typed("RtTypes");
    typed.SetParamInt8("I8", -1);
    typed.SetParamUInt8("U8", 7);
    typed.SetParamInt16("I16", 7);
    typed.SetParamUInt16("U16", 65535);
    typed.SetParamInt32("I32", -1);
    typed.SetParamUInt32("U32", 4294967295u);
    typed.SetParamInt64("I64", -1);
    typed.SetParamUInt64("U64", std::numeric_limits<std::uint64_t>::max());
    struct Case {
        const char* param;
        const char* symbol;
        bool equal;
    };
    const Case cases[] = {
        {"I8", "MinusOne", true},  {"U8", "Seven", true},     {"I16", "Seven", true},    {"U16", "MinusOne", false},
        {"U16", "MaxShort", true}, {"I32", "MinusOne", true}, {"U32", "MinusOne", true}, {"I64", "MinusOne", true},
        {"U64", "MinusOne", true}, {"I64", "Seven", false},   {"Unset", "Seven", false},
    };
    for (const Case& testCase : cases) {
        EXPECT_EQ(TarnCommandFactory::IsCommandParamEqualToSymbol(typed, testCase.param, testCase.symbol),
                  testCase.equal)
            << testCase.param << " " << testCase.symbol;
    }

    TarnCommand mute("AudioHostChanMute");
    mute.SetParamUInt8("Mute", 1);
    EXPECT_TRUE(TarnCommandFactory::IsCommandParamEqualToSymbol(mute, "Mute", "AudioHostChan_MuteOn"));
    mute.SetParamBySymbol("Mute", "AudioHostChan_MuteOn");
    EXPECT_TRUE(TarnCommandFactory::IsCommandParamEqualToSymbol(mute, "Mute", "AudioHostChan_MuteOn"));
    mute.SetParamBySymbol("Mute", "NotInTheDefinitionButTheSameText");
    EXPECT_TRUE(TarnCommandFactory::IsCommandParamEqualToSymbol(mute, "Mute", "NotInTheDefinitionButTheSameText"));
    EXPECT_FALSE(TarnCommandFactory::IsCommandParamEqualToSymbol(mute, nullptr, "AudioHostChan_MuteOn"));
    EXPECT_FALSE(TarnCommandFactory::IsCommandParamEqualToSymbol(mute, "Mute", nullptr));
}

TEST_F(CommandQueriesTest, ParameterEqualsSymbolFailureMessages)
{
    TarnCommand typed("RtTypes");
    const char blob[] = "xyz";
    typed.SetParamByteStream("Blob", blob, 3);
    struct Case {
        const char* param;
        const char* symbol;
        const char* message;
    };
    const Case cases[] = {
        {"Blob", "Seven",
         "\nIsParameterEqualToSymbol -  Wrong Data Type - Command : RtTypes ParamName: Blob DataType: BYTES"},
        {"Missing", "Seven", "\nIsParameterEqualToSymbol -  Param not found - Command : RtTypes ParamName: Missing"},
        {"I8", "Nope", "\nIsParameterEqualToSymbol -  Symbol not found - Command : RtTypes Symbol: Nope"},
    };
    for (const Case& testCase : cases) {
        EXPECT_EQ(VerboseOutputOf([&] {
                      EXPECT_FALSE(
                          TarnCommandFactory::IsCommandParamEqualToSymbol(typed, testCase.param, testCase.symbol));
                  }),
                  testCase.message);
    }
}

TEST_F(CommandQueriesTest, ComparisonAcrossTypesAndWidths)
{
    TarnCommand a("RtTypes");
    TarnCommand b("RtTypes");
    a.SetParamInt16("I16", -5);
    b.SetParamUInt32("U32", 3);
    a.SetParamBySymbol("I32", "Seven");
    b.SetParamInt8("I8", 7);
    a.SetParamUInt8("U8", 200);
    b.SetParamInt64("I64", -1);
    a.SetParamUInt64("U64", std::numeric_limits<std::uint64_t>::max());
    struct Case {
        const char* paramA;
        const char* paramB;
        std::int32_t result;
    };
    const Case cases[] = {{"I16", "U32", -1}, {"I32", "I8", 0}, {"U8", "I64", 1}, {"U64", "I64", 0}};
    for (const Case& testCase : cases) {
        std::int32_t result = 99;
        EXPECT_TRUE(TarnCommandFactory::CompareCommandParams(a, testCase.paramA, b, testCase.paramB, &result));
        EXPECT_EQ(result, testCase.result) << testCase.paramA << " " << testCase.paramB;
        EXPECT_EQ(TarnCommandFactory::AreCommandParamsEquivalent(a, testCase.paramA, b, testCase.paramB),
                  testCase.result == 0);
    }
}

TEST_F(CommandQueriesTest, ComparisonFailuresLeaveTheResultAlone)
{
    TarnCommand a("RtTypes");
    const char blob[] = "xyz";
    a.SetParamByteStream("Blob", blob, 3);
    a.SetParamInt8("I8", 1);
    TarnCommand unknown("RtNoSuchCommand");
    unknown.SetParamInt8("I8", 1);
    std::int32_t result = 99;
    EXPECT_EQ(
        VerboseOutputOf([&] { EXPECT_FALSE(TarnCommandFactory::CompareCommandParams(a, "Blob", a, "I8", &result)); }),
        "\nExtractDataParameterAsInt64 -  Wrong Data Type - Command : RtTypes ParamName: Blob DataType: BYTES");
    EXPECT_EQ(
        VerboseOutputOf([&] { EXPECT_FALSE(TarnCommandFactory::CompareCommandParams(a, "I8", a, "Nope", &result)); }),
        "\nExtractDataParameterAsInt64 -  Param not found - Command : RtTypes ParamName: Nope");
    EXPECT_EQ(VerboseOutputOf(
                  [&] { EXPECT_FALSE(TarnCommandFactory::CompareCommandParams(unknown, "I8", a, "I8", &result)); }),
              "\nExtractDataParameterAsInt64 - Command not found - Command : RtNoSuchCommand");
    EXPECT_FALSE(TarnCommandFactory::CompareCommandParams(a, "I8", a, "U8", &result)) << "unset";
    EXPECT_FALSE(TarnCommandFactory::CompareCommandParams(a, nullptr, a, "I8", &result));
    EXPECT_FALSE(TarnCommandFactory::CompareCommandParams(a, "I8", a, "I8", nullptr));
    EXPECT_EQ(result, 99);

    TarnCommand mistyped("RtTypes");
    mistyped.SetParamInt32("U8", 1);
    EXPECT_THROW(TarnCommandFactory::CompareCommandParams(mistyped, "U8", a, "I8", &result),
                 TarnLink::VariantImpl::bad_variant_cast);
}

TEST_F(CommandQueriesTest, TypeKeywordStrings)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    ASSERT_TRUE(TarnCommandFactory::GetCommandParamTypeCodeString("RtTypes", "U16", sizeof buffer, buffer));
    EXPECT_EQ(std::memcmp(buffer, "UINT16\0\0", 8), 0);
    ASSERT_TRUE(TarnCommandFactory::GetCommandParamTypeCodeString("RtTypes", "Blob", sizeof buffer, buffer));
    EXPECT_STREQ(buffer, "BYTES");

    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_FALSE(TarnCommandFactory::GetCommandParamTypeCodeString("RtTypes", "U16", 7, buffer));
    EXPECT_FALSE(TarnCommandFactory::GetCommandParamTypeCodeString("RtTypes", "Nope", 8, buffer));
    EXPECT_FALSE(TarnCommandFactory::GetCommandParamTypeCodeString("RtNoSuchCommand", "U16", 8, buffer));
    EXPECT_FALSE(TarnCommandFactory::GetCommandParamTypeCodeString(nullptr, "U16", 8, buffer));
    EXPECT_FALSE(TarnCommandFactory::GetCommandParamTypeCodeString("RtTypes", nullptr, 8, buffer));
    EXPECT_FALSE(TarnCommandFactory::GetCommandParamTypeCodeString("RtTypes", "U16", 8, nullptr));
    EXPECT_EQ(buffer[0], 'x');
}

} // namespace
