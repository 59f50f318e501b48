#include "runtime_fixture.h"

#include <cstring>

#include "dictionary/command_registry.h"
#include "runtime/meta_processor.h"

namespace {

constexpr std::size_t kChunk = 2040;
constexpr std::size_t kHeader = 8;

class MetaCommandTest : public RuntimeTest {
protected:
    static std::string Text(std::size_t length)
    {
        std::string text(length, '\0');
        for (std::size_t i = 0; i < length; ++i) {
            text[i] = static_cast<char>('a' + i % 26);
        }
        return text;
    }

    static TarnCommand BlobSend(std::uint32_t header, const std::string& body)
    {
        TarnCommand command("RtBlob");
        command.SetParamUInt32("Header", header);
        command.SetParamByteStream("Body", body.data(), body.size());
        return command;
    }

    static Bytes PayloadOf(const Bytes& packet) { return Bytes(packet.begin() + kHeader, packet.end()); }

    static std::uint32_t TotalSizeIn(const Bytes& startPacket)
    {
        const Bytes payload = PayloadOf(startPacket);
        return payload.size() == 4 ? (std::uint32_t{payload[0]} << 24 | std::uint32_t{payload[1]} << 16 |
                                      std::uint32_t{payload[2]} << 8 | payload[3])
                                   : 0;
    }

    // The names and payload sizes of what the conduit carried.
    static std::vector<std::pair<std::string, std::size_t>> Sequence(const ScriptedConduit& carrier)
    {
        std::vector<std::pair<std::string, std::size_t>> sequence;
        for (const auto& request : carrier.Requests()) {
            sequence.emplace_back(request.commandName, request.packet.size() - kHeader);
        }
        return sequence;
    }

    // Answers a request sequence: TotalSize total to the start packet, the
    // chunks one by one to the repeat packets, success to the stop packet.
    static void ScriptRequestAnswers(ScriptedConduit& carrier, std::uint32_t total, const std::vector<Bytes>& chunks)
    {
        const Bytes start{0x0B, 0x0B, 0, 4, 0xFF, 0xDD, 0, 0};
        const Bytes totalBytes{static_cast<unsigned char>(total >> 24), static_cast<unsigned char>(total >> 16),
                               static_cast<unsigned char>(total >> 8), static_cast<unsigned char>(total)};
        carrier.QueueAnswer({ScriptedConduit::ResponseTo(start, totalBytes)});
        for (const Bytes& chunk : chunks) {
            carrier.QueueAnswer({ScriptedConduit::ResponseTo(start, chunk)});
        }
    }

    static Bytes BigEndian(std::uint64_t value, int width)
    {
        Bytes bytes;
        for (int shift = (width - 1) * 8; shift >= 0; shift -= 8) {
            bytes.push_back(static_cast<unsigned char>(value >> shift));
        }
        return bytes;
    }
};

using Sent = std::vector<std::pair<std::string, std::size_t>>;

TEST_F(MetaCommandTest, SendSplitsTheDataIntoChunks)
{
    struct Case {
        std::size_t bodyLength;
        Sent expected;
    };
    const Case cases[] = {
        // 4 + 4996 = 5000 bytes.
        {4996,
         {{"RtBlobStart", 4}, {"RtBlobData", 2040}, {"RtBlobData", 2040}, {"RtBlobData", 920}, {"RtBlobStop", 0}}},
        // The parameters fit the empty chunk exactly.
        {2036, {{"RtBlobStart", 4}, {"RtBlobData", 2040}, {"RtBlobStop", 0}}},
        // Ends exactly on a chunk boundary: no empty repeat packet follows.
        {4076, {{"RtBlobStart", 4}, {"RtBlobData", 2040}, {"RtBlobData", 2040}, {"RtBlobStop", 0}}},
        {1, {{"RtBlobStart", 4}, {"RtBlobData", 5}, {"RtBlobStop", 0}}},
    };
    // With the compile trace every packet is made before the first is sent;
    // without it the repeat packets are made one by one while sending. Both
    // send the same packets.
    for (const bool trace : {false, true})
        for (const Case& testCase : cases) {
            TarnLinkPrivate::ForgetConduits();
            ScriptedConduit fresh;
            TarnCommandFactory::InstallTargetConduit(&fresh, 1);
            const std::string body = Text(testCase.bodyLength);
            TarnCommand command = BlobSend(0x01020304, body);

            TarnCommandFactory::SetVerbosity(false, trace);
            {
                CoutCapture output;
                EXPECT_TRUE(TarnCommandFactory::Execute(command)) << testCase.bodyLength;
            }
            TarnCommandFactory::SetVerbosity(false, false);
            EXPECT_EQ(command.GetStatus(), TarnLink::kTLSuccess);
            const auto requests = fresh.Requests();
            Sent sequence;
            Bytes data;
            for (const auto& request : requests) {
                sequence.emplace_back(request.commandName, request.packet.size() - kHeader);
                EXPECT_EQ(request.timeoutMillisec, 0u);
                if (request.commandName == "RtBlobData") {
                    const Bytes payload = PayloadOf(request.packet);
                    data.insert(data.end(), payload.begin(), payload.end());
                }
            }
            EXPECT_EQ(sequence, testCase.expected) << testCase.bodyLength;
            EXPECT_EQ(TotalSizeIn(requests.front().packet), 4 + testCase.bodyLength);
            Bytes expectedData{1, 2, 3, 4};
            expectedData.insert(expectedData.end(), body.begin(), body.end());
            EXPECT_EQ(data, expectedData) << testCase.bodyLength;
            EXPECT_EQ(fresh.SucceededCount(), 0) << "meta packets bypass the success notifications";
        }
}

TEST_F(MetaCommandTest, SendWithoutDataParametersSucceeds)
{
    TarnCommand command("RtBlobBare");
    EXPECT_TRUE(TarnCommandFactory::Execute(command));
    EXPECT_EQ(command.GetStatus(), TarnLink::kTLSuccess);
    EXPECT_EQ(Sequence(conduit), (Sent{{"RtBlobStart", 4}, {"RtBlobStop", 0}}));
}

TEST_F(MetaCommandTest, SendFailuresEndWithFailAndTheirTraceText)
{
    struct Case {
        const char* label;
        std::function<TarnCommand()> make;
        std::vector<ScriptedConduit::Answer> answers;
        const char* trace;
        std::size_t packetsSent;
    };
    const Case cases[] = {
        {"empty byte stream",
         [] { return BlobSend(1, ""); },
         {},
         "\nMetaCommand ERROR - RepeatCommand data param size error"
         "\nMetaCommand ERROR - Repeat packet compilation failed",
         0},
        {"missing byte stream",
         [] {
             TarnCommand command("RtBlob");
             command.SetParamUInt32("Header", 1);
             return command;
         },
         {},
         "\nMetaCommand ERROR - RepeatCommand data param size error",
         0},
        {"start refused",
         [] { return BlobSend(1, "abc"); },
         {{ScriptedConduit::ResponseTo({0, 0, 0, 0, 0, 0}, {}, 0x02)}},
         "",
         1},
        {"repeat not transmitted",
         [] { return BlobSend(1, "abc"); },
         {{ScriptedConduit::ResponseTo({0, 0, 0, 0, 0, 0})}, {{}, false}},
         "",
         2},
    };
    // Without the trace, data that cannot be sent whole still leaves no packet.
    for (const bool trace : {true, false})
        for (const Case& testCase : cases) {
            TarnLinkPrivate::ForgetConduits();
            ScriptedConduit fresh;
            TarnCommandFactory::InstallTargetConduit(&fresh, 1);
            for (const auto& answer : testCase.answers) {
                fresh.QueueAnswer(answer);
            }
            TarnCommand command = testCase.make();
            TarnCommandFactory::SetVerbosity(false, trace);
            CoutCapture output;
            EXPECT_FALSE(TarnCommandFactory::Execute(command)) << testCase.label;
            TarnCommandFactory::SetVerbosity(false, false);
            EXPECT_EQ(command.GetStatus(), TarnLink::kTLFail) << testCase.label;
            EXPECT_NE(output.Text().find(trace ? testCase.trace : ""), std::string::npos)
                << testCase.label << output.Text();
            EXPECT_EQ(fresh.Requests().size(), testCase.packetsSent) << testCase.label;
        }
}

TEST_F(MetaCommandTest, CompileTraceAnnouncesTheProcessor)
{
    TarnCommand command("RtBlobBare");
    TarnCommandFactory::SetVerbosity(false, true);
    CoutCapture output;
    TarnCommandFactory::Execute(command);
    TarnCommandFactory::SetVerbosity(false, false);
    EXPECT_EQ(output.Text().rfind("\n\nConstructing MetaCommandByteCodeProcessor Compiler - Command : RtBlobBare\n", 0),
              0u);
}

TEST_F(MetaCommandTest, RequestCollectsTheDataIntoTheHostsCommand)
{
    const std::string body = Text(3000);
    Bytes data = BigEndian(0xCAFEF00D, 4);
    data.insert(data.end(), body.begin(), body.end());
    ScriptRequestAnswers(conduit, static_cast<std::uint32_t>(data.size()),
                         {Bytes(data.begin(), data.begin() + kChunk), Bytes(data.begin() + kChunk, data.end())});

    TarnCommand command("RtBlob", 1);
    command.SetupRequestDataCommand();
    command.SetParamUInt8("Unrelated", 9);
    ASSERT_TRUE(TarnCommandFactory::Execute(command));

    EXPECT_EQ(command.GetStatus(), TarnLink::kTLSuccess);
    std::uint32_t header = 0;
    EXPECT_TRUE(command.GetParamUInt32("Header", header));
    EXPECT_EQ(header, 0xCAFEF00Du);
    std::size_t length = 0;
    ASSERT_TRUE(command.GetParamByteStreamLength("Body", &length));
    std::string received(length, '\0');
    command.GetParamByteStream("Body", received.data(), received.size(), &length);
    EXPECT_EQ(received, body);
    unsigned char unrelated = 0;
    EXPECT_TRUE(command.GetParamUInt8("Unrelated", unrelated));
    EXPECT_EQ(unrelated, 9);
    EXPECT_EQ(command.GetConduitID(), 1);
    EXPECT_EQ(Sequence(conduit), (Sent{{"RtBlobStart", 0}, {"RtBlobData", 0}, {"RtBlobData", 0}, {"RtBlobStop", 0}}));
}

TEST_F(MetaCommandTest, RequestOfFixedSizeParameters)
{
    Bytes data = BigEndian(513, 2);
    const Bytes value = BigEndian(static_cast<std::uint64_t>(-2), 8);
    data.insert(data.end(), value.begin(), value.end());
    ScriptRequestAnswers(conduit, 10, {data});

    TarnCommand command("RtBlobPair");
    command.SetupRequestDataCommand();
    ASSERT_TRUE(TarnCommandFactory::Execute(command));
    unsigned short count = 0;
    std::int64_t decoded = 0;
    EXPECT_TRUE(command.GetParamUInt16("Count", count));
    EXPECT_TRUE(command.GetParamInt64("Value", decoded));
    EXPECT_EQ(count, 513);
    EXPECT_EQ(decoded, -2);
}

TEST_F(MetaCommandTest, RequestsWithShortMissingOrExcessDataFail)
{
    const Bytes ten(10, 0x11);
    const Bytes anyHeader{0, 0, 0, 0, 0, 0};
    struct Case {
        const char* label;
        std::function<void(ScriptedConduit&)> script;
        Sent expected;
        const char* trace;
    };
    const Sent start{{"RtBlobStart", 0}};
    const Sent oneRepeat{{"RtBlobStart", 0}, {"RtBlobData", 0}, {"RtBlobStop", 0}};
    const Sent twoRepeats{{"RtBlobStart", 0}, {"RtBlobData", 0}, {"RtBlobData", 0}, {"RtBlobStop", 0}};
    const Case cases[] = {
        {"no TotalSize in the start answer",
         [&](ScriptedConduit& carrier) { carrier.QueueAnswer({ScriptedConduit::ResponseTo(anyHeader)}); }, start, ""},
        {"start not transmitted",
         [](ScriptedConduit& carrier) {
             carrier.QueueAnswer({{}, false});
         },
         start, "\nMetaCommand ERROR - StartCommand packet execution failed"},
        {"repeat answers stop carrying data early",
         [&](ScriptedConduit& carrier) {
             ScriptRequestAnswers(carrier, 20, {ten, {}});
         },
         twoRepeats, ""},
        {"length field promises more than the answer holds",
         [&](ScriptedConduit& carrier) {
             Bytes lying = ScriptedConduit::ResponseTo(anyHeader, Bytes(4, 0x22));
             lying[3] = 14;
             ScriptRequestAnswers(carrier, 10, {});
             carrier.QueueAnswer({lying});
         },
         twoRepeats, ""},
        {"more data than announced", [&](ScriptedConduit& carrier) { ScriptRequestAnswers(carrier, 6, {ten}); },
         oneRepeat, ""},
        {"announced size zero", [](ScriptedConduit& carrier) { ScriptRequestAnswers(carrier, 0, {}); }, oneRepeat, ""},
        {"repeat not transmitted",
         [](ScriptedConduit& carrier) {
             ScriptRequestAnswers(carrier, 10, {});
             carrier.QueueAnswer({{}, false});
         },
         {{"RtBlobStart", 0}, {"RtBlobData", 0}},
         "\nMetaCommand ERROR - RepeatCommand packet execution failed"},
    };
    for (const Case& testCase : cases) {
        TarnLinkPrivate::ForgetConduits();
        ScriptedConduit fresh;
        TarnCommandFactory::InstallTargetConduit(&fresh, 1);
        testCase.script(fresh);
        TarnCommand command("RtBlob");
        command.SetupRequestDataCommand();
        command.SetParamUInt32("Header", 5);
        TarnCommandFactory::SetVerbosity(false, true);
        CoutCapture output;
        EXPECT_FALSE(TarnCommandFactory::Execute(command)) << testCase.label;
        TarnCommandFactory::SetVerbosity(false, false);
        EXPECT_EQ(command.GetStatus(), TarnLink::kTLFail) << testCase.label;
        std::uint32_t header = 0;
        EXPECT_TRUE(command.GetParamUInt32("Header", header));
        EXPECT_EQ(header, 5u) << testCase.label << ": the host's parameters stay";
        EXPECT_EQ(Sequence(fresh), testCase.expected) << testCase.label;
        EXPECT_NE(output.Text().find(testCase.trace), std::string::npos) << testCase.label;
    }
}

TEST_F(MetaCommandTest, MergedStatusPrefersTheMostTellingFailure)
{
    using TarnLink::CommandStatus_t;
    struct Case {
        CommandStatus_t start, repeat, stop, merged;
    };
    const Case cases[] = {
        {TarnLink::kTLSuccess, TarnLink::kTLSuccess, TarnLink::kTLSuccess, TarnLink::kTLSuccess},
        {TarnLink::kTLSuccess, TarnLink::kTLTimeOut, TarnLink::kTLNotSupported, TarnLink::kTLNotSupported},
        {TarnLink::kTLTimeOut, TarnLink::kTLTransmitFailure, TarnLink::kTLSuccess, TarnLink::kTLTransmitFailure},
        {TarnLink::kTLSuccess, TarnLink::kTLSuccess, TarnLink::kTLTimeOut, TarnLink::kTLTimeOut},
        {TarnLink::kTLSuccess, TarnLink::kTLFail, TarnLink::kTLSuccess, TarnLink::kTLFail},
        {TarnLink::kTLPacketSizeError, TarnLink::kTLSuccess, TarnLink::kTLSuccess, TarnLink::kTLFail},
    };
    for (const Case& testCase : cases) {
        EXPECT_EQ(TarnLinkPrivate::MergeSubCommandStatuses(testCase.start, testCase.repeat, testCase.stop),
                  testCase.merged);
    }
}

// The shipped dictionary's look-up table upload, end to end: its one byte
// stream alone decides the chunks.
TEST_F(MetaCommandTest, ShippedLookUpTableUploadSendsEndToEnd)
{
    const auto* shipped =
        dynamic_cast<const TarnLinkPrivate::MetaCommandFormat*>(TarnLinkPrivate::FindCommandFormat("LutUpload"));
    ASSERT_NE(shipped, nullptr);
    const std::string& start = shipped->StartCommand();
    const std::string& repeat = shipped->RepeatCommand();
    const std::string& stop = shipped->StopCommand();
    struct Case {
        std::size_t tableSize;
        Sent expected;
    };
    const Case cases[] = {
        {3000, {{start, 4}, {repeat, 2040}, {repeat, 960}, {stop, 0}}},
        {2040, {{start, 4}, {repeat, 2040}, {stop, 0}}},
        {4080, {{start, 4}, {repeat, 2040}, {repeat, 2040}, {stop, 0}}},
    };
    for (const Case& testCase : cases) {
        TarnLinkPrivate::ForgetConduits();
        ScriptedConduit fresh;
        TarnCommandFactory::InstallTargetConduit(&fresh, 1);
        const std::string table = Text(testCase.tableSize);
        TarnCommand command("LutUpload");
        command.SetParamByteStream("LutData", table.data(), table.size());

        EXPECT_TRUE(TarnCommandFactory::Execute(command)) << testCase.tableSize;
        EXPECT_EQ(command.GetStatus(), TarnLink::kTLSuccess);
        EXPECT_EQ(Sequence(fresh), testCase.expected) << testCase.tableSize;
        EXPECT_EQ(TotalSizeIn(fresh.Requests().front().packet), testCase.tableSize);
    }
}

} // namespace
