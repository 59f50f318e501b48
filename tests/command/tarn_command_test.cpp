#include <gtest/gtest.h>

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "tarnlink/TarnCommand.h"

using TarnLink::CommandStatus_t;
using TarnLink::TarnCommand;
using TarnLink::VariantImpl::bad_variant_cast;

TEST(TarnCommandTest, FreshCommandReportsFailure)
{
    const TarnCommand command;
    EXPECT_EQ(command.GetStatus(), TarnLink::kTLFail);
    EXPECT_STREQ(command.GetStatusAsStringConstant(), "kTLFail");
    EXPECT_TRUE(command.IsStatusFail());
    EXPECT_TRUE(command.IsStatusBad());
    EXPECT_TRUE(command.IsSendCommand());
    EXPECT_FALSE(command.IsRequestDataCommand());
    EXPECT_EQ(command.GetConduitID(), 0);
    EXPECT_STREQ(command.GetCommandName(), "");

    const TarnCommand named("AudioHostChanMute", 4);
    EXPECT_STREQ(named.GetCommandName(), "AudioHostChanMute");
    EXPECT_EQ(named.GetConduitID(), 4);
}

TEST(TarnCommandTest, StatusNamesAndPredicates)
{
    struct Case {
        std::int32_t status;
        const char* name;
        bool success, fail, notSupported, transmitError, timeout;
    };
    const Case cases[] = {
        {0, "kTLSuccess", true, false, false, false, false},
        {1, "kTLFail", false, true, false, false, false},
        {2, "kTLNotSupported", false, false, true, false, false},
        {3, "kTLTransmitFailure", false, false, false, true, false},
        {4, "kTLTimeOut", false, false, false, false, true},
        {7, "kTLInvalidSymbolicConstant", false, false, false, false, false},
        {13, "kTLAttemptedToExecuteDiagCommand", false, false, false, false, false},
        {14, "BOGUS_TL_STATUS", false, false, false, false, false},
        {-1, "BOGUS_TL_STATUS", false, false, false, false, false},
    };
    TarnCommand command;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.status);
        command.SetStatus(static_cast<CommandStatus_t>(c.status));
        EXPECT_STREQ(command.GetStatusAsStringConstant(), c.name);
        EXPECT_EQ(command.IsStatusSuccess(), c.success);
        EXPECT_EQ(command.IsStatusGood(), c.success);
        EXPECT_EQ(command.IsStatusBad(), !c.success);
        EXPECT_EQ(command.IsStatusFail(), c.fail);
        EXPECT_EQ(command.IsStatusNotSupported(), c.notSupported);
        EXPECT_EQ(command.IsStatusTransmitError(), c.transmitError);
        EXPECT_EQ(command.IsStatusTimeout(), c.timeout);
    }
}

TEST(TarnCommandTest, ResettingAParameterKeepsItsPlaceAndTakesTheNewType)
{
    TarnCommand command("AudioHostChanMute");
    command.SetParamUInt8("HostChannel", 3);
    command.SetParamUInt8("Mute", 1);
    command.SetParamInt32("Mute", -5);

    std::int32_t mute = 0;
    EXPECT_TRUE(command.GetParamInt32("Mute", mute));
    EXPECT_EQ(mute, -5);
    unsigned char narrow = 0;
    EXPECT_THROW(command.GetParamUInt8("Mute", narrow), bad_variant_cast);
    std::ostringstream text;
    command.WriteParsable(text);
    EXPECT_EQ(text.str(), "\ntarn send AudioHostChanMute HostChannel UINT8 3 Mute INT32 -5 . ;");
}

// Names are told apart by every byte, whatever their length: names of 1 to
// 20 bytes that differ from a set name in their first, a middle or their last
// byte, or by one byte more or less, find nothing.
TEST(TarnCommandTest, NamesOfEveryLengthMatchOnlyThemselves)
{
    TarnCommand command("NoSuchCommand");
    std::vector<std::string> names;
    for (std::size_t length = 1; length <= 20; ++length) {
        std::string name(length, 'n');
        name.front() = 'A';
        name.back() = 'Z';
        names.push_back(name);
        command.SetParamUInt32(name.c_str(), static_cast<std::uint32_t>(length));
    }
    for (const std::string& name : names) {
        std::uint32_t value = 0;
        EXPECT_TRUE(command.GetParamUInt32(name.c_str(), value)) << name;
        EXPECT_EQ(value, name.size()) << name;
        for (const std::size_t changed : {std::size_t{0}, name.size() / 2, name.size() - 1}) {
            std::string other = name;
            other[changed] = 'x';
            EXPECT_FALSE(command.GetParamUInt32(other.c_str(), value)) << other;
        }
        EXPECT_FALSE(command.GetParamUInt32((name + "Z").c_str(), value)) << name;
    }
    std::uint32_t value = 0;
    EXPECT_FALSE(command.GetParamUInt32("", value));
    EXPECT_FALSE(command.GetParamUInt32("Az", value));
}

TEST(TarnCommandTest, GettersNeedTheExactStoredType)
{
    TarnCommand command;
    command.SetParamUInt32("Gain", 7);
    std::int32_t asSigned = 0;
    EXPECT_THROW(command.GetParamInt32("Gain", asSigned), bad_variant_cast);
    std::uint32_t gain = 0;
    EXPECT_TRUE(command.GetParamUInt32("Gain", gain));
    EXPECT_EQ(gain, 7u);

    short untouched = 42;
    EXPECT_FALSE(command.GetParamInt16("Missing", untouched));
    EXPECT_EQ(untouched, 42);

    command.SetParamBySymbol("Mode", "SR_48000Hz");
    std::size_t length = 0;
    char buffer[4];
    EXPECT_THROW(command.GetParamByteStreamLength("Mode", &length), bad_variant_cast);
    EXPECT_THROW(command.GetParamByteStream("Mode", buffer, sizeof(buffer), &length), bad_variant_cast);
    char* data = nullptr;
    EXPECT_FALSE(command.GetParamByteStreamBuffer("Mode", &data, &length));
    EXPECT_FALSE(command.GetParamSetSymbol("Gain", buffer, sizeof(buffer)));
    EXPECT_FALSE(command.IsParamSetBySymbol("Gain"));
    EXPECT_TRUE(command.IsParamSetBySymbolEqualTo("Mode", "SR_48000Hz"));
    EXPECT_FALSE(command.IsParamSetBySymbolEqualTo("Mode", "SR_48000"));
}

TEST(TarnCommandTest, SymbolsOfOneTo254BytesAreKept)
{
    TarnCommand command;
    command.SetParamBySymbol("Mode", "");
    command.SetParamBySymbol("Mode", std::string(255, 'x').c_str());
    command.SetParamBySymbol("Mode", nullptr);
    EXPECT_FALSE(command.IsParamSet("Mode"));
    command.SetParamBySymbol("Mode", std::string(254, 'x').c_str());
    EXPECT_TRUE(command.IsParamSetBySymbol("Mode"));
    command.SetParamBySymbol("Mode", "");
    EXPECT_TRUE(command.IsParamSetBySymbolEqualTo("Mode", std::string(254, 'x').c_str()));

    command.SetParamBySymbol("Ten", "0123456789");
    char buffer[11];
    std::memset(buffer, '#', sizeof(buffer));
    EXPECT_FALSE(command.GetParamSetSymbol("Ten", buffer, 9));
    EXPECT_EQ(buffer[0], '#');
    EXPECT_TRUE(command.GetParamSetSymbol("Ten", buffer, 10));
    EXPECT_EQ(std::string(buffer, 11), "0123456789#");
    EXPECT_TRUE(command.GetParamSetSymbol("Ten", buffer, 11));
    EXPECT_EQ(std::string(buffer, 11), std::string("0123456789\0", 11));
}

TEST(TarnCommandTest, ByteStreamBufferRules)
{
    TarnCommand command;
    command.SetParamByteStream("Data", "ab\0cd", 5);
    char small[4];
    std::size_t length = 0;
    EXPECT_FALSE(command.GetParamByteStream("Data", small, sizeof(small), &length));
    EXPECT_EQ(length, 5u);
    char exact[5];
    EXPECT_TRUE(command.GetParamByteStream("Data", exact, sizeof(exact), nullptr));
    EXPECT_EQ(std::string(exact, 5), std::string("ab\0cd", 5));
    EXPECT_FALSE(command.GetParamByteStreamLength("Data", nullptr));
    EXPECT_TRUE(command.GetParamByteStreamLength("Data", &length));
    char* data = nullptr;
    EXPECT_TRUE(command.GetParamByteStreamBuffer("Data", &data, &length));
    EXPECT_EQ(length, 5u);
    EXPECT_EQ(data[3], 'c');
    EXPECT_FALSE(command.GetParamByteStreamBuffer("Data", nullptr, &length));
    EXPECT_FALSE(command.GetParamByteStreamBuffer("Missing", &data, &length));

    command.SetParamByteStream("Empty", nullptr, 0);
    EXPECT_TRUE(command.IsParamSet("Empty"));
    EXPECT_FALSE(command.GetParamByteStreamBuffer("Empty", &data, &length));
    EXPECT_EQ(length, 0u);
    EXPECT_TRUE(command.GetParamByteStream("Empty", small, sizeof(small), &length));
    EXPECT_EQ(length, 0u);
}

TEST(TarnCommandTest, CopiesAreDeepAndAssignmentReplacesEverything)
{
    TarnCommand source("AudioHostChanMute", 2);
    source.SetupRequestDataCommand();
    source.SetStatus(TarnLink::kTLTimeOut);
    source.SetParamUInt8("HostChannel", 5);
    source.SetParamByteStream("Data", "xyz", 3);

    TarnCommand copy(source);
    copy.SetParamUInt8("HostChannel", 9);
    copy.ClearParameters();
    unsigned char channel = 0;
    EXPECT_TRUE(source.GetParamUInt8("HostChannel", channel));
    EXPECT_EQ(channel, 5);
    EXPECT_TRUE(source.IsParamSet("Data"));
    EXPECT_STREQ(copy.GetCommandName(), "AudioHostChanMute");
    EXPECT_EQ(copy.GetStatus(), TarnLink::kTLTimeOut);

    const TarnCommand onConduit(source, 5);
    EXPECT_EQ(onConduit.GetConduitID(), 5);
    EXPECT_TRUE(onConduit.IsRequestDataCommand());
    EXPECT_TRUE(onConduit.GetParamUInt8("HostChannel", channel));

    TarnCommand assigned("Other");
    assigned = source;
    assigned = assigned;
    EXPECT_STREQ(assigned.GetCommandName(), "AudioHostChanMute");
    EXPECT_EQ(assigned.GetConduitID(), 2);
    EXPECT_TRUE(assigned.IsParamSet("Data"));
}

TEST(TarnCommandTest, NullNamesAreHarmless)
{
    TarnCommand named("AudioHostChanMute");
    named.SetCommandName(nullptr);
    EXPECT_STREQ(named.GetCommandName(), "AudioHostChanMute");

    TarnCommand command(nullptr);
    command.SetParamUInt8(nullptr, 1);
    command.SetParamByteStream("Data", nullptr, 4);
    unsigned char value = 0;
    EXPECT_FALSE(command.GetParamUInt8(nullptr, value));
    EXPECT_FALSE(command.IsParamSet(nullptr));
    EXPECT_FALSE(command.IsParamSet("Data"));
    EXPECT_FALSE(command.IsParamSetBySymbolEqualTo(nullptr, nullptr));
    EXPECT_STREQ(command.GetCommandName(), "");
}
