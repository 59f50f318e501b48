#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "command_fixture.h"
#include "support/cout_capture.h"

using TarnLink::CommandStatus_t;
using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;
using TarnLink::TarnCommandFactory;

namespace {

class DecompilerTest : public DictionaryTest {
protected:
    // Decompiles packet into command; gives the result, the status out-value in status_.
    bool Decompile(TarnCommand& command, const Bytes& packet, bool lenient = false)
    {
        SetPacket(response_, packet);
        status_ = TarnLink::kTLFail;
        return TarnCommandFactory::DecompileTarnByteCode(command, response_, &status_, lenient);
    }

    static TarnCommand Request(const char* name)
    {
        TarnCommand command(name);
        command.SetupRequestDataCommand();
        command.SetParamUInt8("Marker", 99);
        return command;
    }

    TarnCommandByteCode response_;
    CommandStatus_t status_ = TarnLink::kTLFail;
};

TEST_F(DecompilerTest, ReadsTheWorkedResponses)
{
    TarnCommand mute = Request("AudioHostChanMute");
    ASSERT_TRUE(Decompile(mute, {0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2F, 0x00, 0x00, 0x05, 0x01}));
    EXPECT_EQ(status_, TarnLink::kTLSuccess);
    EXPECT_EQ(mute.GetStatus(), TarnLink::kTLSuccess);
    unsigned char channel = 0;
    unsigned char value = 0;
    EXPECT_TRUE(mute.GetParamUInt8("HostChannel", channel));
    EXPECT_TRUE(mute.GetParamUInt8("Mute", value));
    EXPECT_EQ(channel, 5);
    EXPECT_EQ(value, 1);
    EXPECT_FALSE(mute.IsParamSet("Marker"));

    TarnCommand info = Request("HAGetDeviceInfo");
    ASSERT_TRUE(
        Decompile(info, {0x0B, 0x0B, 0x00, 0x0B, 0x40, 0x69, 0x00, 0x00, 0x02, 0x07, 0x00, 0x03, 0x31, 0x2E, 0x30}));
    unsigned char slot = 0;
    unsigned char board = 0;
    short versionLength = 0;
    char version[8] = {};
    std::size_t length = 0;
    EXPECT_TRUE(info.GetParamUInt8("SlotNumber", slot));
    EXPECT_TRUE(info.GetParamUInt8("BoardID", board));
    EXPECT_TRUE(info.GetParamInt16("BoardVersionLength", versionLength));
    EXPECT_TRUE(info.GetParamByteStream("BoardVersion", version, sizeof(version), &length));
    EXPECT_EQ(slot, 2);
    EXPECT_EQ(board, 7);
    EXPECT_EQ(versionLength, 3);
    EXPECT_EQ(std::string(version, length), "1.0");
}

TEST_F(DecompilerTest, AnswerReplacesEveryEarlierValueInDefinitionOrder)
{
    // Set in the other order, Mute by symbol, beside a name the definition
    // lacks; read leniently, so that the text form lists what was read.
    TarnCommand mute("AudioHostChanMute");
    mute.SetParamBySymbol("Mute", "AudioHostChan_MuteOn");
    mute.SetParamUInt8("Marker", 99);
    mute.SetParamUInt8("HostChannel", 2);
    ASSERT_TRUE(Decompile(mute, {0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2E, 0x00, 0x00, 0x05, 0x00}, true));
    EXPECT_FALSE(mute.IsParamSetBySymbol("Mute"));
    std::ostringstream text;
    mute.WriteParsable(text);
    EXPECT_EQ(text.str(), "\ntarn send AudioHostChanMute HostChannel UINT8 5 Mute UINT8 0 . ;");

    // A response one value short leaves the command without the missing one.
    ASSERT_TRUE(Decompile(mute, {0x0B, 0x0B, 0x00, 0x05, 0x40, 0x2E, 0x00, 0x00, 0x07}, true));
    text.str("");
    mute.WriteParsable(text);
    EXPECT_EQ(text.str(), "\ntarn send AudioHostChanMute HostChannel UINT8 7 . ;");
}

TEST_F(DecompilerTest, AnswerReplacesByteStreamsHeldInIntegerParameters)
{
    // A stream in the first or the last parameter: the answer's integers
    // replace it either way, in definition order.
    for (const char* streamParameter : {"HostChannel", "Mute"}) {
        TarnCommand mute("AudioHostChanMute");
        mute.SetParamUInt8("HostChannel", 2);
        mute.SetParamUInt8("Mute", 0);
        mute.SetParamByteStream(streamParameter, "xyz", 3);
        ASSERT_TRUE(Decompile(mute, {0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2E, 0x00, 0x00, 0x05, 0x01}, true))
            << streamParameter;
        std::ostringstream text;
        mute.WriteParsable(text);
        EXPECT_EQ(text.str(), "\ntarn send AudioHostChanMute HostChannel UINT8 5 Mute UINT8 1 . ;") << streamParameter;
    }
}

TEST_F(DecompilerTest, HardwareVerdictsLeaveTheParameters)
{
    struct Case {
        unsigned char statusByte;
        CommandStatus_t status;
    };
    const Case cases[] = {{0x02, TarnLink::kTLNotSupported},
                          {0xFF, TarnLink::kTLTimeOut},
                          {0xF0, TarnLink::kTLTransmitFailure},
                          {0x01, TarnLink::kTLFail},
                          {0x33, TarnLink::kTLFail}};
    for (const Case& c : cases) {
        TarnCommand command = Request("AudioHostChanMute");
        EXPECT_TRUE(Decompile(command, {0x0B, 0x0B, 0x00, 0x04, 0x40, 0x2F, 0x00, c.statusByte}));
        EXPECT_EQ(command.GetStatus(), c.status);
        EXPECT_EQ(status_, TarnLink::kTLSuccess);
        EXPECT_TRUE(command.IsParamSet("Marker"));
    }
}

TEST_F(DecompilerTest, MalformedResponsesFail)
{
    struct Case {
        const char* what;
        const char* name;
        Bytes packet;
        CommandStatus_t status;
        bool paramsCleared;
    };
    const Case cases[] = {
        {"empty", "AudioHostChanMute", {}, TarnLink::kTLPacketSizeError, false},
        {"seven bytes",
         "AudioHostChanMute",
         {0x0B, 0x0B, 0x00, 0x04, 0x40, 0x2F, 0x00},
         TarnLink::kTLPacketSizeError,
         false},
        {"no transport mark",
         "AudioHostChanMute",
         {0x0B, 0x0C, 0x00, 0x04, 0x40, 0x2F, 0x00, 0x00},
         TarnLink::kTLInvalidTransportHeader,
         false},
        {"length field below 4",
         "AudioHostChanMute",
         {0x0B, 0x0B, 0x00, 0x03, 0x40, 0x2F, 0x00, 0x00},
         TarnLink::kTLInvalidTransportHeader,
         false},
        {"Diag response under 36 bytes", "DiagAudioTone", Bytes(35, 0x00), TarnLink::kTLInvalidOpcode, false},
        {"ends before a fixed-size parameter",
         "AudioHostChanMute",
         {0x0B, 0x0B, 0x00, 0x05, 0x40, 0x2F, 0x00, 0x00, 0x05},
         TarnLink::kTLDecompileMissingParameterData,
         true},
        // The length field promises more than the response holds: only the bytes there are read.
        {"length field beyond the response",
         "AudioHostChanMute",
         {0x0B, 0x0B, 0x00, 0x20, 0x40, 0x2F, 0x00, 0x00, 0x05},
         TarnLink::kTLDecompileMissingParameterData,
         true},
        {"Diag response too short for its parameter", "DiagAudioTone", Bytes(37, 0x00),
         TarnLink::kTLDecompileMissingParameterData, true},
        {"unknown command",
         "NoSuchCommand",
         {0x0B, 0x0B, 0x00, 0x04, 0x40, 0x2F, 0x00, 0x00},
         TarnLink::kTLCommandFormatNotFound,
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TarnCommand command = Request(c.name);
        EXPECT_FALSE(Decompile(command, c.packet));
        EXPECT_EQ(status_, c.status);
        EXPECT_EQ(command.IsParamSet("Marker"), !c.paramsCleared);
        EXPECT_EQ(command.GetStatus(), c.paramsCleared ? TarnLink::kTLSuccess : TarnLink::kTLFail);
    }
}

TEST_F(DecompilerTest, ReadsOnlyTheBytesTheResponseHolds)
{
    // Length field 0x40 over a 15-byte response: the byte stream takes the 3 bytes there.
    TarnCommand longField = Request("HAGetDeviceInfo");
    ASSERT_TRUE(Decompile(longField,
                          {0x0B, 0x0B, 0x00, 0x40, 0x40, 0x69, 0x00, 0x00, 0x02, 0x07, 0x00, 0x03, 0x31, 0x2E, 0x30}));
    std::size_t length = 0;
    EXPECT_TRUE(longField.GetParamByteStreamLength("BoardVersion", &length));
    EXPECT_EQ(length, 3u);

    // A length field shorter than the response bounds the data; what follows is ignored.
    TarnCommand shortField = Request("HAGetDeviceInfo");
    ASSERT_TRUE(Decompile(shortField,
                          {0x0B, 0x0B, 0x00, 0x0A, 0x40, 0x69, 0x00, 0x00, 0x02, 0x07, 0x00, 0x03, 0x31, 0x2E, 0x30}));
    EXPECT_TRUE(shortField.GetParamByteStreamLength("BoardVersion", &length));
    EXPECT_EQ(length, 2u);

    // Nothing left for the byte stream: it is set empty.
    TarnCommand noStream = Request("HAGetDeviceInfo");
    ASSERT_TRUE(Decompile(noStream, {0x0B, 0x0B, 0x00, 0x08, 0x40, 0x69, 0x00, 0x00, 0x02, 0x07, 0x00, 0x03}));
    EXPECT_TRUE(noStream.GetParamByteStreamLength("BoardVersion", &length));
    EXPECT_EQ(length, 0u);

    // A response longer than any packet, to a definition whose data vary in
    // size: the stream takes all of it.
    TarnCommand oversized("HAGetDeviceInfo");
    oversized.SetupRequestDataCommand();
    Bytes big = {0x0B, 0x0B, 0x0B, 0xBC, 0x40, 0x69, 0x00, 0x00, 0x02, 0x07, 0x00, 0x03};
    big.resize(3008, 'v');
    ASSERT_TRUE(Decompile(oversized, big));
    EXPECT_TRUE(oversized.GetParamByteStreamLength("BoardVersion", &length));
    EXPECT_EQ(length, 2996u);

    // A Diag response's data runs to its end, whatever its own length field says.
    TarnCommand diag = Request("TestDiagBlob");
    Bytes packet(36, 0x00);
    packet.insert(packet.end(), {0x01, 0x02, 'x', 'y'});
    ASSERT_TRUE(Decompile(diag, packet));
    unsigned short count = 0;
    EXPECT_TRUE(diag.GetParamUInt16("Count", count));
    EXPECT_EQ(count, 0x0102);
    EXPECT_TRUE(diag.GetParamByteStreamLength("Blob", &length));
    EXPECT_EQ(length, 2u);
}

TEST_F(DecompilerTest, SendResponsesAndLenience)
{
    const Bytes longResponse{0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2E, 0x00, 0x00, 0x05, 0x01};
    TarnCommand send("AudioHostChanMute");
    send.SetParamUInt8("Marker", 1);
    EXPECT_TRUE(Decompile(send, {0x0B, 0x0B, 0x00, 0x04, 0x40, 0x2E, 0x00, 0x00}));
    EXPECT_EQ(send.GetStatus(), TarnLink::kTLSuccess);
    EXPECT_TRUE(send.IsParamSet("Marker"));

    TarnCommandFactory::SetVerbosity(false, true);
    {
        CoutCapture output;
        EXPECT_TRUE(Decompile(send, longResponse));
        EXPECT_EQ(output.Text(), "\nWARNING - Response packet for a Send Command was longer than 2 byte standard - "
                                 "extra data ignored");
    }
    TarnCommandFactory::SetVerbosity(false, false);
    EXPECT_TRUE(send.IsParamSet("Marker"));

    // Lenient: a send command's response is decoded too, and a short one still succeeds.
    EXPECT_TRUE(Decompile(send, longResponse, true));
    unsigned char mute = 0;
    EXPECT_TRUE(send.GetParamUInt8("Mute", mute));
    EXPECT_EQ(mute, 1);
    TarnCommand request = Request("AudioHostChanMute");
    EXPECT_TRUE(Decompile(request, {0x0B, 0x0B, 0x00, 0x05, 0x40, 0x2F, 0x00, 0x00, 0x05}, true));
    EXPECT_EQ(status_, TarnLink::kTLSuccess);
}

TEST_F(DecompilerTest, MetaCommandIsRefused)
{
    TarnCommand command("LutUpload");
    command.SetStatus(TarnLink::kTLTimeOut);
    CoutCapture output;
    EXPECT_FALSE(Decompile(command, {0x0B, 0x0B, 0x00, 0x04, 0x40, 0x2E, 0x00, 0x00}));
    EXPECT_EQ(command.GetStatus(), TarnLink::kTLTimeOut);
    EXPECT_EQ(output.Text(),
              "\n<-> ERROR Attempted to Decompile a MetaCommand - MetaCommands can only be Execute(d)!\n");
}

TEST_F(DecompilerTest, CompileTraceOfFailures)
{
    struct Case {
        const char* name;
        Bytes packet;
        const char* expected;
    };
    const Case cases[] = {
        {"AudioHostChanMute", {0x0B}, "\nERROR - Bytecode Decompile could not set up packetNum: 0"},
        {"DiagAudioTone", Bytes(8, 0x00),
         "\nERROR - Bytecode Decompile could not decompile Diag opcode - packetNum: 0"},
        {"AudioHostChanMute",
         {0x0C, 0x0B, 0x00, 0x04, 0x40, 0x2F, 0x00, 0x00},
         "\nERROR - Transport header for packet not marked with BOB Command ID"
         "\nERROR - Bytecode Decompile could not decode transport header - packetNum: 0"},
        {"AudioHostChanMute",
         {0x0B, 0x0B, 0x00, 0x05, 0x40, 0x2F, 0x00, 0x00, 0x05},
         "\n\tReading Parameter : HostChannel Type : UINT8 NumBytes: 1"
         "\nERROR - Decompiling parameters failed - Command: AudioHostChanMute"},
        {"NoSuchCommand",
         {0x0B, 0x0B, 0x00, 0x04, 0x40, 0x2F, 0x00, 0x00},
         "\nERROR - Could not find TarnCommandFormat - Command: NoSuchCommand"},
    };
    TarnCommandFactory::SetVerbosity(false, true);
    for (const Case& c : cases) {
        TarnCommand command = Request(c.name);
        CoutCapture output;
        EXPECT_FALSE(Decompile(command, c.packet));
        EXPECT_EQ(output.Text(), c.expected);
    }
}

} // namespace
