#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tarnlink/TarnCommand.h"

using TarnLink::TarnCommand;

namespace {

std::string ParsableOf(const TarnCommand& command)
{
    std::ostringstream out;
    command.WriteParsable(out);
    return out.str();
}

// Parses the body of a statement, as the trace log's reader does after
// "tarn" and the direction word.
TarnCommand ParsedFrom(const std::string& body)
{
    TarnCommand command;
    std::istringstream in(body);
    command.Parse(in);
    return command;
}

TEST(ParsableTextTest, WritesStatements)
{
    TarnCommand command("AudioHostChanMute");
    EXPECT_EQ(ParsableOf(command), "\ntarn send AudioHostChanMute . ;");
    command.SetParamUInt8("HostChannel", 3);
    command.SetParamBySymbol("Mute", "AudioHostChan_MuteOn");
    EXPECT_EQ(ParsableOf(command),
              "\ntarn send AudioHostChanMute HostChannel UINT8 3 Mute SYMBOL AudioHostChan_MuteOn . ;");
    command.SetupRequestDataCommand();
    EXPECT_EQ(ParsableOf(command), "\ntarn request AudioHostChanMute . ;");

    TarnCommand wide("Wide");
    wide.SetParamInt64("A", -2);
    wide.SetParamUInt64("B", 1ull << 32);
    wide.SetParamInt8("C", -1);
    wide.SetParamByteStream("D", "a c", 3);
    EXPECT_EQ(ParsableOf(wide), "\ntarn send Wide A INT64 -1 4294967294 B UINT64 1 0 C INT8 -1 D BYTES 3 a c . ;");
}

TEST(ParsableTextTest, EveryValueTypeRoundTrips)
{
    TarnCommand command("Everything");
    command.SetParamInt8("I8", -5);
    command.SetParamUInt8("U8", 250);
    command.SetParamInt16("I16", -30000);
    command.SetParamUInt16("U16", 65535);
    command.SetParamInt32("I32", -2000000000);
    command.SetParamUInt32("U32", 4000000000u);
    command.SetParamInt64("I64", -2);
    command.SetParamUInt64("U64", 0xFFFFFFFF00000001ull);
    command.SetParamByteStream("Bytes", " \n.;\0x", 6);
    command.SetParamBySymbol("Sym", "SR_48000Hz");

    const std::string text = ParsableOf(command);
    const std::string prefix = "\ntarn send ";
    ASSERT_EQ(text.rfind(prefix, 0), 0u);
    const TarnCommand parsed = ParsedFrom(text.substr(prefix.size()));
    EXPECT_EQ(ParsableOf(parsed), text);
    EXPECT_TRUE(parsed.IsParamSetBySymbolEqualTo("Sym", "SR_48000Hz"));
    std::int64_t wide = 0;
    EXPECT_TRUE(parsed.GetParamInt64("I64", wide));
    EXPECT_EQ(wide, -2);
}

TEST(ParsableTextTest, ParseStopsQuietlyAndKeepsWhatItRead)
{
    struct Case {
        const char* what;
        std::string body;
        const char* rewritten;
    };
    const Case cases[] = {
        {"zero-length byte stream", "Cmd Data BYTES 0 Mute UINT8 1 . ;", "\ntarn send Cmd Mute UINT8 1 . ;"},
        {"unknown keyword", "Cmd Mute FLOAT 2 UINT8 7 . ;", "\ntarn send Cmd 2 UINT8 7 . ;"},
        {"no full stop", "Cmd Mute UINT8 1", "\ntarn send Cmd Mute UINT8 1 . ;"},
        {"missing keyword", "Cmd Mute", "\ntarn send Cmd . ;"},
        {"malformed number", "Cmd Gain INT32 loud Mute UINT8 1 . ;", "\ntarn send Cmd . ;"},
        {"INT8 keeps the low bits", "Cmd A INT8 383 B UINT8 257 . ;", "\ntarn send Cmd A INT8 127 B UINT8 1 . ;"},
        {"missing 64-bit halves", "Cmd A UINT64", "\ntarn send Cmd A UINT64 4294967295 0 . ;"},
        {"overlong symbol", "Cmd S SYMBOL " + std::string(255, 's') + " . ;", "\ntarn send Cmd . ;"},
        // A count beyond the text reads what is there and sets nothing.
        {"byte count beyond the text", "Cmd Data BYTES 4000000000 abc", "\ntarn send Cmd . ;"},
        {"byte stream cut short", "Cmd Data BYTES 5 abc", "\ntarn send Cmd . ;"},
        {"empty text", "", "\ntarn send  . ;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ParsableOf(ParsedFrom(c.body)), c.rewritten);
    }
}

// A word with a NUL byte fails the stream and is not stored, neither cut at
// the NUL nor whole; what came before stays set.
TEST(ParsableTextTest, ParseRefusesWordsHoldingNulBytes)
{
    using namespace std::string_literals;
    struct Case {
        const char* what;
        std::string body;
        const char* rewritten;
    };
    const Case cases[] = {
        {"full stop and NUL as a name", "Cmd A UINT8 5 .\0 UINT8 1 Mute UINT8 1 . ;"s, "\ntarn send Cmd A UINT8 5 . ;"},
        {"name starting with NUL", "Cmd \0Mute UINT8 1 . ;"s, "\ntarn send Cmd . ;"},
        {"NUL inside a symbol", "Cmd A UINT8 5 S SYMBOL SR_48\0kHz . ;"s, "\ntarn send Cmd A UINT8 5 . ;"},
        {"NUL inside a keyword", "Cmd A UINT8\0 5 . ;"s, "\ntarn send Cmd . ;"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TarnCommand command;
        std::istringstream in(c.body);
        command.Parse(in);
        EXPECT_TRUE(in.fail());
        EXPECT_EQ(ParsableOf(command), c.rewritten);
    }

    TarnCommand named("Kept");
    named.SetParamUInt8("Stale", 1);
    std::istringstream in("Audio\0Mute . ;"s);
    named.Parse(in);
    EXPECT_TRUE(in.fail());
    EXPECT_EQ(ParsableOf(named), "\ntarn send Kept . ;");

    // Bytes of a byte stream are counted, not words: a NUL among them is data.
    std::istringstream bytes("Cmd Data BYTES 3 a\0b . ;"s);
    TarnCommand withBytes;
    withBytes.Parse(bytes);
    EXPECT_FALSE(bytes.fail());
    EXPECT_EQ(ParsableOf(withBytes), "\ntarn send Cmd Data BYTES 3 a\0b . ;"s);
}

TEST(ParsableTextTest, ParseReplacesParametersButKeepsDirectionAndStatus)
{
    TarnCommand command("Old", 3);
    command.SetupRequestDataCommand();
    command.SetStatus(TarnLink::kTLTimeOut);
    command.SetParamUInt8("Stale", 1);
    std::istringstream in("AudioHostChanMute HostChannel UINT8 3 . ;");
    command.Parse(in);
    EXPECT_STREQ(command.GetCommandName(), "AudioHostChanMute");
    EXPECT_FALSE(command.IsParamSet("Stale"));
    EXPECT_TRUE(command.IsParamSet("HostChannel"));
    EXPECT_TRUE(command.IsRequestDataCommand());
    EXPECT_EQ(command.GetConduitID(), 3);
    EXPECT_EQ(command.GetStatus(), TarnLink::kTLTimeOut);
    std::string rest;
    in >> rest;
    EXPECT_EQ(rest, ";");
}

TEST(CommandDumpTest, DescribesEveryValue)
{
    TarnCommand command("AudioHostChanMute");
    command.SetParamUInt8("HostChannel", 3);
    command.SetParamInt64("Wide", -2);
    command.SetParamByteStream("Empty", nullptr, 0);
    command.SetParamByteStream("Data", "ab", 2);
    command.SetParamBySymbol("Mute", "AudioHostChan_MuteOn");
    command.SetStatus(TarnLink::kTLSuccess);
    std::ostringstream out;
    command.Dump(out);
    EXPECT_EQ(out.str(), "\nDump of TarnCommand : \nName: AudioHostChanMute\nParamters:"
                         "\n\t Param: HostChannel Type: unsigned char Value: 3"
                         "\n\t Param: Wide Type: long long Value:  Hi32: -1 Lo32: 4294967294"
                         "\n\t Param: Empty Type: std::vector<char> Value:  Length: 0 Bytes:  !@EMPTY@! "
                         "\n\t Param: Data Type: std::vector<char> Value:  Length: 2 Bytes: ab"
                         "\n\t Param: Mute Type: std::string Value: AudioHostChan_MuteOn"
                         "\nSend Command: true\nStatus: kTLSuccess\n");
    EXPECT_FALSE(out.flags() & std::ios::boolalpha);

    command.SetStatus(static_cast<TarnLink::CommandStatus_t>(14));
    std::ostringstream bogus;
    command.Dump(bogus);
    EXPECT_NE(bogus.str().find("\nStatus: UNKNOWN ENUM\n"), std::string::npos);
}

} // namespace
