// The tool's readers of user text: hex bytes and script statements.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hex_text.h"
#include "statement_reader.h"
#include "tool_context.h"

namespace {

using Bytes = std::vector<unsigned char>;
using TarnLinkTool::StatementReader;

struct HexCase {
    const char* text;
    bool valid;
    Bytes bytes;
};

TEST(HexText, ReadsWholeBytesInTheUsualSpellings)
{
    const HexCase cases[] = {
        {"0B 0B 00 04", true, {0x0B, 0x0B, 0x00, 0x04}},
        {"0b0b0004", true, {0x0B, 0x0B, 0x00, 0x04}},
        {"0x0B,0x0b:ff", true, {0x0B, 0x0B, 0xFF}},
        {"  0B\n0B\t", true, {0x0B, 0x0B}},
        {"0B0", false, {}},
        {"0G", false, {}},
        {"0x", false, {}},
        {"", false, {}},
        {" , ", false, {}},
    };
    for (const HexCase& hex : cases) {
        Bytes bytes = {0x99};
        EXPECT_EQ(TarnLinkTool::ParseHex(hex.text, &bytes), hex.valid) << hex.text;
        EXPECT_EQ(bytes, hex.valid ? hex.bytes : Bytes{0x99}) << hex.text;
    }
}

TEST(HexText, ShortensLongPackets)
{
    const Bytes packet = {0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2E};
    EXPECT_EQ(TarnLinkTool::FormatHex(packet), "0B 0B 00 06 40 2E");
    EXPECT_EQ(TarnLinkTool::FormatHex(packet, 2), "0B 0B ... (6 bytes)");
}

// A script as the trace log writes it, with comments, optional words and a
// byte stream whose bytes look like the script's own punctuation.
TEST(StatementReader, ReadsScriptsAndTraceLogs)
{
    const std::string script =
        "# a comment line ;\n"
        "\n@time 1234 ;\ntarn send AudioHostChanMute HostChannel UINT8 5 Mute SYMBOL AudioHostChan_MuteOn . ;"
        "\nrequest AudioHostChanMute HostChannel UINT8 5 .\n"
        "send HAGetDeviceInfo BoardVersion BYTES 5 a;#.\n . ;\n";
    StatementReader reader(script, "script");
    TarnLink::TarnCommand command;

    ASSERT_TRUE(reader.Next(&command));
    EXPECT_EQ(reader.LastStatementLine(), 4u);
    EXPECT_TRUE(command.IsSendCommand());
    EXPECT_STREQ(command.GetCommandName(), "AudioHostChanMute");
    EXPECT_TRUE(command.IsParamSetBySymbolEqualTo("Mute", "AudioHostChan_MuteOn"));

    ASSERT_TRUE(reader.Next(&command));
    EXPECT_EQ(reader.LastStatementLine(), 5u);
    EXPECT_TRUE(command.IsRequestDataCommand());
    unsigned char channel = 0;
    EXPECT_TRUE(command.GetParamUInt8("HostChannel", channel));
    EXPECT_EQ(channel, 5);
    EXPECT_FALSE(command.IsParamSet("Mute"));

    ASSERT_TRUE(reader.Next(&command));
    char bytes[8] = {};
    std::size_t length = 0;
    ASSERT_TRUE(command.GetParamByteStream("BoardVersion", bytes, sizeof(bytes), &length));
    EXPECT_EQ(std::string(bytes, length), "a;#.\n");
    EXPECT_EQ(reader.LastStatementText(), "send HAGetDeviceInfo BoardVersion BYTES 5 a;#. .");

    EXPECT_FALSE(reader.Next(&command));
}

TEST(StatementReader, NamesTheLineOfAStatementItCannotRead)
{
    using namespace std::string_literals;
    const struct {
        std::string script;
        const char* message;
    } cases[] = {
        {"send SampleRate . ;\nfetch SampleRate .", "script:2: expected 'send' or 'request' but found 'fetch'"},
        {"\n\nsend AudioHostChanMute HostChannel UINT8 5",
         "script:3: the statement has a value that cannot be read or no closing '.'"},
        {"send AudioHostChanMute HostChannel UINT8 five .",
         "script:1: the statement has a value that cannot be read or no closing '.'"},
        {"tarn send", "script:1: the statement has a value that cannot be read or no closing '.'"},
        // A NUL byte after the full stop once made a parameter named "."
        // that the trace log could not replay.
        {"send AudioHostChanMute HostChannel UINT8 5 .\0 UINT8 1 Mute UINT8 1 . ;"s,
         "script:1: the statement has a value that cannot be read or no closing '.'"},
    };
    for (const auto& bad : cases) {
        StatementReader reader(bad.script, "script");
        TarnLink::TarnCommand command;
        try {
            while (reader.Next(&command)) {
            }
            ADD_FAILURE() << "no failure for: " << bad.script;
        } catch (const TarnLinkTool::CommandFailure& failure) {
            EXPECT_STREQ(failure.what(), bad.message);
        }
    }
}

} // namespace
