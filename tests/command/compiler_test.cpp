#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "command_fixture.h"
#include "dictionary/command_registry.h"
#include "support/cout_capture.h"

using TarnLink::CommandStatus_t;
using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;
using TarnLink::TarnCommandFactory;

namespace {

using Filler = std::function<void(TarnCommand&)>;

TarnCommand MakeCommand(const char* name, bool isSend, const Filler& fill)
{
    TarnCommand command(name);
    if (!isSend) {
        command.SetupRequestDataCommand();
    }
    fill(command);
    return command;
}

Bytes DiagHeader(unsigned char opcode, unsigned char payloadLength)
{
    const std::string magic = "kell_diagnostics";
    Bytes header(magic.begin(), magic.end());
    header.resize(36, 0x00);
    header[31] = opcode;
    header[33] = payloadLength;
    return header;
}

// Everything of a HAGetDeviceInfo send command but its byte stream.
void SetDeviceInfoFixedPart(TarnCommand& command)
{
    command.SetParamUInt8("SlotNumber", 2);
    command.SetParamUInt8("BoardID", 7);
    command.SetParamInt16("BoardVersionLength", 0);
}

Bytes Join(Bytes head, const Bytes& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

class CompilerTest : public DictionaryTest {};

TEST_F(CompilerTest, CompilesTheWorkedPacketsByteForByte)
{
    struct Case {
        const char* name;
        bool isSend;
        Filler fill;
        Bytes packet;
    };
    const Case cases[] = {
        {"AudioHostChanMute",
         true,
         [](TarnCommand& c) {
             c.SetParamUInt8("HostChannel", 5);
             c.SetParamUInt8("Mute", 1);
         },
         {0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2E, 0x00, 0x00, 0x05, 0x01}},
        {"AudioHostChanMute",
         false,
         [](TarnCommand& c) { c.SetParamUInt8("HostChannel", 5); },
         {0x0B, 0x0B, 0x00, 0x05, 0x40, 0x2F, 0x00, 0x00, 0x05}},
        {"DiagAudioTone", true, [](TarnCommand& c) { c.SetParamUInt16("AudioFrequency", 1000); },
         Join(DiagHeader(0x0C, 0x02), {0x03, 0xE8})},
        {"HAGetDeviceInfo",
         false,
         [](TarnCommand& c) { c.SetParamUInt8("SlotNumber", 2); },
         {0x0B, 0x0B, 0x00, 0x05, 0x40, 0x69, 0x00, 0x00, 0x02}},
        {"HAGetDeviceInfo",
         true,
         [](TarnCommand& c) {
             c.SetParamUInt8("SlotNumber", 2);
             c.SetParamUInt8("BoardID", 7);
             c.SetParamInt16("BoardVersionLength", 3);
             c.SetParamByteStream("BoardVersion", "1.0", 3);
         },
         {0x0B, 0x0B, 0x00, 0x0B, 0x40, 0x68, 0x00, 0x00, 0x02, 0x07, 0x00, 0x03, 0x31, 0x2E, 0x30}},
        {"AudioHostMonitorChanGain",
         true,
         [](TarnCommand& c) {
             c.SetParamUInt8("Input", 1);
             c.SetParamUInt8("Output", 2);
             c.SetParamInt32("Gain", -2);
         },
         {0x0B, 0x0B, 0x00, 0x0A, 0x40, 0x30, 0x00, 0x00, 0x01, 0x02, 0xFF, 0xFF, 0xFF, 0xFE}},
        {"AudioHostMonitorChanGain",
         false,
         [](TarnCommand& c) {
             c.SetParamUInt8("Input", 1);
             c.SetParamUInt8("Output", 2);
         },
         {0x0B, 0x0B, 0x00, 0x06, 0x40, 0x31, 0x00, 0x00, 0x01, 0x02}},
        {"TestNoDataTarn", true, [](TarnCommand&) {}, {0x0B, 0x0B, 0x00, 0x04, 0x3F, 0xF2, 0x00, 0x00}},
        {"TestNoDataDiag", false, [](TarnCommand&) {}, DiagHeader(0xC8, 0x00)},
        {"TestDiagBlob", false, [](TarnCommand& c) { c.SetParamUInt16("Count", 0x0102); },
         Join(DiagHeader(0xC9, 0x02), {0x01, 0x02})},
        // Symbols: 300 keeps its low 8 bits in an INT8, -2 is sign-extended in an INT64.
        {"TestWide",
         true,
         [](TarnCommand& c) {
             c.SetParamBySymbol("Wide", "Minus");
             c.SetParamBySymbol("Narrow", "Big");
             c.SetParamByteStream("Blob", "ab", 2);
         },
         {0x0B, 0x0B, 0x00, 0x0F, 0x3F, 0xF0, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x2C, 0x61,
          0x62}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.isSend ? " send" : " request"));
        TarnCommand command = MakeCommand(c.name, c.isSend, c.fill);
        TarnCommandByteCode byteCode;
        std::uint32_t timeout = 99;
        CommandStatus_t status = TarnLink::kTLFail;
        EXPECT_TRUE(TarnCommandFactory::CompileTarnByteCode(command, byteCode, &timeout, &status));
        EXPECT_EQ(status, TarnLink::kTLSuccess);
        EXPECT_EQ(timeout, 0u);
        EXPECT_EQ(PacketOf(byteCode), c.packet);
        EXPECT_EQ(command.GetStatus(), TarnLink::kTLFail); // compiling leaves the command's status alone
    }
}

TEST_F(CompilerTest, FailuresGiveTheirStatusAndClearTheByteCode)
{
    struct Case {
        const char* what;
        const char* name;
        bool isSend;
        Filler fill;
        CommandStatus_t status;
    };
    const std::string largest(2036, 'v');
    const Case cases[] = {
        {"unknown command", "NoSuchCommand", true, [](TarnCommand&) {}, TarnLink::kTLCommandFormatNotFound},
        {"send-only parameter missing", "AudioHostChanMute", true,
         [](TarnCommand& c) { c.SetParamUInt8("HostChannel", 5); }, TarnLink::kTLCompileMissingParameterData},
        {"request parameter missing", "TestWide", false, [](TarnCommand&) {}, TarnLink::kTLCompileMissingParameterData},
        {"unknown symbol", "AudioHostChanMute", true,
         [](TarnCommand& c) {
             c.SetParamUInt8("HostChannel", 5);
             c.SetParamBySymbol("Mute", "SR_48000Hz");
         },
         TarnLink::kTLInvalidSymbolicConstant},
        {"byte stream set by symbol", "TestWide", true,
         [](TarnCommand& c) {
             c.SetParamInt64("Wide", 1);
             c.SetParamInt8("Narrow", 1);
             c.SetParamBySymbol("Blob", "Minus");
         },
         TarnLink::kTLInvalidSymbolicConstant},
        {"byte stream missing", "HAGetDeviceInfo", true, SetDeviceInfoFixedPart, TarnLink::kTLPacketSizeError},
        {"byte stream empty", "HAGetDeviceInfo", true,
         [](TarnCommand& c) {
             SetDeviceInfoFixedPart(c);
             c.SetParamByteStream("BoardVersion", "", 0);
         },
         TarnLink::kTLCompileMissingParameterData},
        {"packet one byte too large", "HAGetDeviceInfo", true,
         [&largest](TarnCommand& c) {
             SetDeviceInfoFixedPart(c);
             c.SetParamByteStream("BoardVersion", largest.c_str(), largest.size() + 1);
         },
         TarnLink::kTLPacketSizeError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TarnCommand command = MakeCommand(c.name, c.isSend, c.fill);
        TarnCommandByteCode byteCode;
        byteCode.SetSucceeded();
        CommandStatus_t status = TarnLink::kTLSuccess;
        EXPECT_FALSE(TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, &status));
        EXPECT_EQ(status, c.status);
        EXPECT_EQ(byteCode.ComputeTotalPacketByteCodeLength(), 0u);
    }

    // The largest packet that fits: 2048 bytes.
    TarnCommand command = MakeCommand("HAGetDeviceInfo", true, SetDeviceInfoFixedPart);
    command.SetParamByteStream("BoardVersion", largest.c_str(), largest.size());
    TarnCommandByteCode byteCode;
    EXPECT_TRUE(TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, nullptr));
    EXPECT_EQ(byteCode.ComputeTotalPacketByteCodeLength(), 2048u);
}

TEST_F(CompilerTest, SymbolIsReplacedByItsNumberInTheHostsCommand)
{
    TarnCommand command("AudioHostChanMute");
    command.SetParamUInt8("HostChannel", 5);
    command.SetParamBySymbol("Mute", "AudioHostChan_MuteOn");
    TarnCommandByteCode byteCode;
    ASSERT_TRUE(TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, nullptr));
    EXPECT_EQ(PacketOf(byteCode).back(), 0x01);
    EXPECT_FALSE(command.IsParamSetBySymbol("Mute"));
    unsigned char mute = 0;
    EXPECT_TRUE(command.GetParamUInt8("Mute", mute));
    EXPECT_EQ(mute, 1);
}

TEST_F(CompilerTest, WronglyTypedValueThrowsToTheCaller)
{
    TarnCommand command("AudioHostChanMute");
    command.SetParamUInt8("HostChannel", 5);
    command.SetParamInt32("Mute", 1);
    TarnCommandByteCode byteCode;
    EXPECT_THROW(TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, nullptr),
                 TarnLink::VariantImpl::bad_variant_cast);

    TarnCommand stream = MakeCommand("HAGetDeviceInfo", true, SetDeviceInfoFixedPart);
    stream.SetParamInt32("BoardVersion", 3);
    EXPECT_THROW(TarnCommandFactory::CompileTarnByteCode(stream, byteCode, nullptr, nullptr),
                 TarnLink::VariantImpl::bad_variant_cast);
}

TEST_F(CompilerTest, MetaCommandIsRefusedWithByteCodeUntouched)
{
    TarnCommand command("LutUpload");
    TarnCommandByteCode byteCode;
    byteCode.SetSucceeded();
    CommandStatus_t status = TarnLink::kTLFail;
    CoutCapture output;
    EXPECT_FALSE(TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, &status));
    EXPECT_EQ(status, TarnLink::kTLSuccess);
    EXPECT_EQ(byteCode.ComputeTotalPacketByteCodeLength(), 8u);
    EXPECT_EQ(output.Text(), "\n<-> ERROR Attempted to Compile a MetaCommand - MetaCommands can only be Execute(d)!\n");
}

TEST_F(CompilerTest, TimeOutComesFromTheDefinition)
{
    ASSERT_TRUE(TarnLinkPrivate::SetOverrideTimeoutMillisec("AudioHostChanMute", 250));
    TarnCommand command("AudioHostChanMute");
    command.SetParamUInt8("HostChannel", 5);
    command.SetupRequestDataCommand();
    TarnCommandByteCode byteCode;
    std::uint32_t timeout = 0;
    EXPECT_TRUE(TarnCommandFactory::CompileTarnByteCode(command, byteCode, &timeout, nullptr));
    EXPECT_EQ(timeout, 250u);
    TarnLinkPrivate::SetOverrideTimeoutMillisec("AudioHostChanMute", 0);

    TarnCommand unknown("NoSuchCommand");
    timeout = 7;
    EXPECT_FALSE(TarnCommandFactory::CompileTarnByteCode(unknown, byteCode, &timeout, nullptr));
    EXPECT_EQ(timeout, 0u);
}

TEST_F(CompilerTest, CompileTraceTellsEachStep)
{
    TarnCommand command("AudioHostChanMute");
    command.SetParamUInt8("HostChannel", 5);
    command.SetParamBySymbol("Mute", "AudioHostChan_MuteOn");
    TarnCommandByteCode byteCode;
    TarnCommandFactory::SetVerbosity(false, true);
    CoutCapture output;
    ASSERT_TRUE(TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, nullptr));
    const std::string text = output.Text();
    EXPECT_EQ(text.rfind("\n\nConstructing ByteCode Compiler - Command : AudioHostChanMute", 0), 0u);
    const std::string steps =
        "\nBEGIN - Bytecode Compilation \nDetermine Packet Sizes\nUsing precomputed packet size"
        "\nCompile command into packets...\n\tCompiling Packet \n\tWriting Tarn Command Header"
        "\n\tCompiling Parameters \n\tWriting Parameter : HostChannel Type : UINT8 NumBytes: 1"
        "\n\tConverting Symbolic Constant to data value"
        "\n\tSymbolic Constant Found - Name: AudioHostChan_MuteOn Value: 1"
        "\n\tWriting Parameter : Mute Type : UINT8 NumBytes: 1\n\tFinished Packet\nEND   - Bytecode Compilation";
    EXPECT_NE(text.find(steps), std::string::npos) << text;
}

TEST_F(CompilerTest, CompileTraceOfFailures)
{
    struct Case {
        const char* name;
        Filler fill;
        const char* expected;
    };
    const std::string tooLong(2037, 'v');
    const Case cases[] = {
        {"HAGetDeviceInfo",
         [&tooLong](TarnCommand& c) { c.SetParamByteStream("BoardVersion", tooLong.c_str(), tooLong.size()); },
         "\nComputing Packet Sizes\nError with total packet size\nMaximum Packet Size - 2048 EXCEEDED\n"},
        {"AudioHostChanMute", [](TarnCommand& c) { c.SetParamBySymbol("HostChannel", "Nope"); },
         "\n\tConverting Symbolic Constant to data value\n\tSymbol Name: Nope NOT FOUND!"
         "\nERROR - packet compilation failed"},
        {"TestWide",
         [](TarnCommand& c) {
             c.SetParamInt64("Wide", 0);
             c.SetParamInt8("Narrow", 0);
             c.SetParamBySymbol("Blob", "Big");
         },
         "\n\tSymbolic Constant Found - Name: Big Value: 300 Unsupported data type for Symbolic Constant - Type: "
         "BYTES"},
    };
    TarnCommandFactory::SetVerbosity(false, true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TarnCommand command = MakeCommand(c.name, true, c.fill);
        TarnCommandByteCode byteCode;
        CoutCapture output;
        EXPECT_FALSE(TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, nullptr));
        EXPECT_NE(output.Text().find(c.expected), std::string::npos) << output.Text();
    }
}

TEST_F(CompilerTest, UnknownCommandIsNotedUnderTheVerboseFlag)
{
    TarnCommand command("NoSuchCommand");
    TarnCommandByteCode byteCode;
    {
        CoutCapture quiet;
        TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, nullptr);
        EXPECT_EQ(quiet.Text(), "");
    }
    TarnCommandFactory::SetVerbosity(true, false);
    CoutCapture output;
    TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, nullptr);
    EXPECT_EQ(output.Text(), "\nIsMetaCommandFormat- Command format not found - Command : NoSuchCommand"
                             "\nConstructing ByteCode Compiler - Command format not found - Command : NoSuchCommand");
}

// Packets are assembled in the byte-code's own buffer, kept from one packet to
// the next: a shorter packet after a longer one shows none of the old bytes.
TEST_F(CompilerTest, OneByteCodeServesPacketsOfChangingLength)
{
    const std::string version(100, 'v');
    TarnCommand deviceInfo = MakeCommand("HAGetDeviceInfo", true, SetDeviceInfoFixedPart);
    deviceInfo.SetParamByteStream("BoardVersion", version.data(), version.size());
    TarnCommand mute("AudioHostChanMute");
    mute.SetupRequestDataCommand();
    mute.SetParamUInt8("HostChannel", 5);
    const Bytes mutePacket = {0x0B, 0x0B, 0x00, 0x05, 0x40, 0x2F, 0x00, 0x00, 0x05};

    TarnCommandByteCode byteCode;
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(TarnCommandFactory::CompileTarnByteCode(deviceInfo, byteCode, nullptr, nullptr));
        const Bytes longPacket = PacketOf(byteCode);
        ASSERT_EQ(longPacket.size(), 112u);
        EXPECT_EQ(longPacket.back(), 'v');
        ASSERT_TRUE(TarnCommandFactory::CompileTarnByteCode(mute, byteCode, nullptr, nullptr));
        EXPECT_EQ(PacketOf(byteCode), mutePacket);
    }
}

TEST_F(CompilerTest, VariableLengthCommandsCompileOnSeveralThreads)
{
    constexpr int kThreads = 4;
    constexpr int kRounds = 300;
    std::vector<int> failures(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &failures] {
            const std::string version(static_cast<std::size_t>(10 * (t + 1)), static_cast<char>('a' + t));
            TarnCommand command("HAGetDeviceInfo");
            command.SetParamUInt8("SlotNumber", static_cast<unsigned char>(t));
            command.SetParamUInt8("BoardID", 7);
            command.SetParamInt16("BoardVersionLength", static_cast<short>(version.size()));
            command.SetParamByteStream("BoardVersion", version.data(), version.size());
            TarnCommandByteCode byteCode;
            for (int round = 0; round < kRounds; ++round) {
                const bool compiled = TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, nullptr);
                const Bytes packet = PacketOf(byteCode);
                if (!compiled || packet.size() != 12 + version.size() || packet[8] != t ||
                    packet[3] != 8 + version.size() || packet.back() != static_cast<unsigned char>('a' + t)) {
                    ++failures[static_cast<std::size_t>(t)];
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(failures, std::vector<int>(kThreads, 0));
}

TEST_F(CompilerTest, ParameterOffsets)
{
    struct Case {
        const char* name;
        bool isSend;
        Filler fill;
        const char* parameter;
        bool found;
        std::int64_t offset;
    };
    const auto slotOnly = [](TarnCommand& c) { c.SetParamUInt8("SlotNumber", 2); };
    const Case cases[] = {
        {"AudioHostMonitorChanGain", true, [](TarnCommand&) {}, "Input", true, 8},
        {"AudioHostMonitorChanGain", true, [](TarnCommand&) {}, "Output", true, 9},
        {"AudioHostMonitorChanGain", true, [](TarnCommand&) {}, "Gain", true, 10},
        {"AudioHostMonitorChanGain", true, [](TarnCommand&) {}, "gain", false, -1},
        {"HAGetDeviceInfo", false, slotOnly, "BoardVersionLength", true, 10},
        {"HAGetDeviceInfo", false, slotOnly, "BoardVersion", false, -1},
        {"HAGetDeviceInfo", true, slotOnly, "SlotNumber", false, 77}, // no byte stream to lay out
        {"DiagAudioTone", true, [](TarnCommand&) {}, "AudioFrequency", false, 77},
        {"LutUpload", true, [](TarnCommand&) {}, "LutData", false, 77},
        {"NoSuchCommand", true, [](TarnCommand&) {}, "Gain", false, 77},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.parameter);
        const TarnCommand command = MakeCommand(c.name, c.isSend, c.fill);
        std::int64_t offset = 77;
        EXPECT_EQ(
            TarnCommandFactory::ComputeCompiledCommandParamDataPacketAndBytecodeOffset(command, c.parameter, &offset),
            c.found);
        EXPECT_EQ(offset, c.offset);
    }
    const TarnCommand gain("AudioHostMonitorChanGain");
    std::int64_t offset = 0;
    EXPECT_FALSE(TarnCommandFactory::ComputeCompiledCommandParamDataPacketAndBytecodeOffset(gain, nullptr, &offset));
    EXPECT_FALSE(TarnCommandFactory::ComputeCompiledCommandParamDataPacketAndBytecodeOffset(gain, "Gain", nullptr));

    TarnCommandFactory::SetVerbosity(true, false);
    CoutCapture output;
    TarnCommandFactory::ComputeCompiledCommandParamDataPacketAndBytecodeOffset(TarnCommand("Nope"), "Gain", &offset);
    EXPECT_EQ(output.Text(), "\nCommand format not found - command name : Nope");
}

TEST(CompilerWithoutLibraryTest, RefusesBeforeInitialize)
{
    TarnCommand command("AudioHostChanMute");
    TarnCommandByteCode byteCode;
    byteCode.SetSucceeded();
    CommandStatus_t status = TarnLink::kTLFail;
    CoutCapture output;
    EXPECT_FALSE(TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, &status));
    EXPECT_FALSE(TarnCommandFactory::DecompileTarnByteCode(command, byteCode, &status, false));
    EXPECT_EQ(status, TarnLink::kTLSuccess);
    EXPECT_EQ(byteCode.ComputeTotalPacketByteCodeLength(), 8u);
    EXPECT_EQ(output.Text(), "\n<-> ERROR Attempted to Compile command - TarnLink NOT INITIALIZED!\n"
                             "\n<-> ERROR Attempted to Decompile bytecode - TarnLink NOT INITIALIZED!\n");
}

} // namespace
