#include <gtest/gtest.h>

#include <string>

#include "command/parameter_codec.h"
#include "command_fixture.h"
#include "dictionary/command_registry.h"
#include "support/cout_capture.h"

using TarnLink::TarnCommand;
using namespace TarnLinkPrivate;

namespace {

ParameterDefinition Definition(const char* name, ParamType type, bool rd = false)
{
    ParameterDefinition parameter;
    parameter.name = name;
    parameter.type = type;
    parameter.requiredForRequestData = rd;
    return parameter;
}

TEST(ParameterCodecTest, EncodesBigEndianInTheExactWidth)
{
    struct Case {
        ParameterDefinition parameter;
        void (*set)(TarnCommand&);
        Bytes bytes;
    };
    const Case cases[] = {
        {Definition("P", ParamType::kInt16), [](TarnCommand& c) { c.SetParamInt16("P", -2); }, {0xFF, 0xFE}},
        {Definition("P", ParamType::kInt64), [](TarnCommand& c) { c.SetParamInt64("P", 1); }, {0, 0, 0, 0, 0, 0, 0, 1}},
        {Definition("P", ParamType::kUInt32),
         [](TarnCommand& c) { c.SetParamUInt32("P", 0xA1B2C3D4); },
         {0xA1, 0xB2, 0xC3, 0xD4}},
        {Definition("P", ParamType::kInt8), [](TarnCommand& c) { c.SetParamInt8("P", -128); }, {0x80}},
        {Definition("P", ParamType::kBytes),
         [](TarnCommand& c) { c.SetParamByteStream("P", "a b", 3); },
         {'a', ' ', 'b'}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(ParamTypeName(c.parameter.type));
        TarnCommand command;
        c.set(command);
        Bytes out(c.bytes.size(), 0x55);
        ASSERT_TRUE(EncodeParameter(c.parameter, command, static_cast<std::int32_t>(out.size()), out.data()));
        EXPECT_EQ(out, c.bytes);
        EXPECT_EQ(ParameterValueSize(c.parameter, command), static_cast<std::int32_t>(c.bytes.size()));

        TarnCommand decoded;
        EXPECT_EQ(DecodeParameter(c.parameter, c.bytes.data(), static_cast<std::int64_t>(c.bytes.size()), decoded),
                  static_cast<std::int32_t>(c.bytes.size()));
        std::ostringstream original;
        std::ostringstream roundTrip;
        command.WriteParsable(original);
        decoded.WriteParsable(roundTrip);
        EXPECT_EQ(roundTrip.str(), original.str());
    }
}

TEST(ParameterCodecTest, EncodeRefusals)
{
    const ParameterDefinition int16 = Definition("P", ParamType::kInt16);
    const ParameterDefinition bytes = Definition("B", ParamType::kBytes);
    TarnCommand command;
    unsigned char out[8] = {};
    EXPECT_FALSE(EncodeParameter(int16, command, 2, out)); // not set
    command.SetParamInt16("P", 1);
    EXPECT_FALSE(EncodeParameter(int16, command, 0, out));
    command.SetParamByteStream("B", "", 0);
    EXPECT_FALSE(EncodeParameter(bytes, command, 0, out));
    EXPECT_FALSE(EncodeParameter(Definition("P", ParamType::kInvalid), command, 2, out));

    TarnLink::TarnCommandFactory::SetVerbosity(false, true);
    CoutCapture output;
    EXPECT_FALSE(EncodeParameter(int16, command, 4, out));
    TarnLink::TarnCommandFactory::SetVerbosity(false, false);
    EXPECT_EQ(output.Text(), "\n\tWriting Parameter : P Type : INT16"
                             "\nERROR - WritingParameterData - write for fixed size data is not equal to total size");
}

TEST(ParameterCodecTest, DecodeConsumesWhatItReads)
{
    TarnCommand command;
    const unsigned char bytes[] = {1, 2, 3, 4, 5};
    EXPECT_EQ(DecodeParameter(Definition("P", ParamType::kUInt32), bytes, 3, command), 0);
    EXPECT_FALSE(command.IsParamSet("P"));
    EXPECT_EQ(DecodeParameter(Definition("P", ParamType::kInvalid), bytes, 5, command), 0);
    EXPECT_EQ(DecodeParameter(Definition("B", ParamType::kBytes), bytes, 5, command), 5);
    EXPECT_EQ(DecodeParameter(Definition("E", ParamType::kBytes), nullptr, 0, command), 0);
    std::size_t length = 9;
    EXPECT_TRUE(command.GetParamByteStreamLength("B", &length));
    EXPECT_EQ(length, 5u);
    EXPECT_TRUE(command.GetParamByteStreamLength("E", &length));
    EXPECT_EQ(length, 0u);
}

class TotalParameterDataSizeTest : public DictionaryTest {};

TEST_F(TotalParameterDataSizeTest, CountsByDirection)
{
    const CommandFormat* info = FindCommandFormat("HAGetDeviceInfo");
    ASSERT_NE(info, nullptr);
    TarnCommand command("HAGetDeviceInfo");
    command.SetParamByteStream("BoardVersion", "1.0", 3);
    EXPECT_EQ(TotalParameterDataSize(command, *info), 7u);
    command.SetupRequestDataCommand();
    EXPECT_EQ(TotalParameterDataSize(command, *info), 4u);

    TarnCommand missing("HAGetDeviceInfo");
    missing.SetupRequestDataCommand();
    TarnLink::TarnCommandFactory::SetVerbosity(true, false);
    CoutCapture output;
    EXPECT_EQ(TotalParameterDataSize(missing, *info), 0u);
    EXPECT_EQ(output.Text(), "\nParameter Not Found error - param name : BoardVersion");
}

} // namespace
