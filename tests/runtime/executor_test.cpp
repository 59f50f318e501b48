#include "runtime_fixture.h"

#include "dictionary/command_registry.h"

namespace {

// RtLevel lives at DIAGNOSTIC minor 63 function 100: type byte FF, function
// byte C8 (send) or C9 (request data).
const Bytes kLevelRequestPacket{0x0B, 0x0B, 0x00, 0x05, 0xFF, 0xC9, 0x00, 0x00, 0x03};
const Bytes kLevelAnswerPayload{0x03, 0xFF, 0xFB}; // Channel 3, Level -5

using ExecuteTest = RuntimeTest;

TEST_F(ExecuteTest, RequestDataCommandRoundTrip)
{
    RecordingExecutionListener executed;
    Install(&executed);
    conduit.QueueAnswer({ScriptedConduit::ResponseTo(kLevelRequestPacket, kLevelAnswerPayload)});

    TarnCommand command = LevelRequest();
    ASSERT_TRUE(TarnCommandFactory::Execute(command));

    EXPECT_EQ(command.GetStatus(), TarnLink::kTLSuccess);
    short level = 0;
    ASSERT_TRUE(command.GetParamInt16("Level", level));
    EXPECT_EQ(level, -5);
    const auto requests = conduit.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].commandName, "RtLevel");
    EXPECT_EQ(requests[0].packet, kLevelRequestPacket);
    EXPECT_EQ(requests[0].timeoutMillisec, 0u);
    EXPECT_EQ(conduit.SucceededCount(), 1);
    EXPECT_EQ(executed.executed, std::vector<std::string>{"RtLevel"});
    EXPECT_EQ(conduit.LockCount(), conduit.UnlockCount());
}

TEST_F(ExecuteTest, RefusalsLeaveTheStatusAlone)
{
    TarnCommand unrouted = LevelRequest();
    unrouted.SetConduitID(4);
    EXPECT_FALSE(TarnCommandFactory::Execute(unrouted));
    EXPECT_EQ(unrouted.GetStatus(), TarnLink::kTLFail);

    TarnLinkPrivate::ForgetConduits();
    TarnCommand noConduit = LevelRequest();
    noConduit.SetStatus(TarnLink::kTLNotSupported);
    EXPECT_FALSE(TarnCommandFactory::Execute(noConduit));
    EXPECT_EQ(noConduit.GetStatus(), TarnLink::kTLNotSupported);
    EXPECT_TRUE(conduit.Requests().empty());
}

TEST_F(ExecuteTest, ConduitIdChoosesTheCarrierButTheCurrentConduitIsLocked)
{
    ScriptedConduit current;
    TarnCommandFactory::InstallTargetConduit(&current, 2);
    for (std::int32_t id : {0, -1}) {
        TarnCommand command = LevelRequest();
        command.SetConduitID(id);
        TarnCommandFactory::Execute(command);
    }
    TarnCommand routed = LevelRequest();
    routed.SetConduitID(1);
    TarnCommandFactory::Execute(routed);

    EXPECT_EQ(current.Requests().size(), 2u);
    EXPECT_EQ(conduit.Requests().size(), 1u);
    EXPECT_EQ(current.LockCount(), 3);
    EXPECT_EQ(conduit.LockCount(), 0);
}

TEST_F(ExecuteTest, DiagnosticAndUncompilableCommandsAreNeverSent)
{
    TarnCommand diag("RtDiag");
    diag.SetParamUInt16("Tone", 1000);
    TarnCommand unknown("RtNoSuchCommand");
    TarnCommand missingLevel("RtLevel");
    missingLevel.SetParamUInt8("Channel", 1);
    struct Case {
        TarnCommand* command;
        TarnLink::CommandStatus_t status;
    };
    const Case cases[] = {{&diag, TarnLink::kTLAttemptedToExecuteDiagCommand},
                          {&unknown, TarnLink::kTLCommandFormatNotFound},
                          {&missingLevel, TarnLink::kTLCompileMissingParameterData}};
    for (const Case& testCase : cases) {
        EXPECT_FALSE(TarnCommandFactory::Execute(*testCase.command)) << testCase.command->GetCommandName();
        EXPECT_EQ(testCase.command->GetStatus(), testCase.status) << testCase.command->GetCommandName();
    }
    EXPECT_TRUE(conduit.Requests().empty());
}

TEST_F(ExecuteTest, BeforeInitializeNothingIsSentAndTheStatusStaysSuccess)
{
    {
        CoutCapture quiet;
        TarnCommandFactory::Terminate();
    }
    TarnCommandFactory::InstallTargetConduit(&conduit, 1);
    TarnCommand command = LevelRequest();
    CoutCapture output;
    EXPECT_FALSE(TarnCommandFactory::Execute(command));
    EXPECT_EQ(command.GetStatus(), TarnLink::kTLSuccess);
    EXPECT_NE(output.Text().find("NOT INITIALIZED"), std::string::npos);
    EXPECT_TRUE(conduit.Requests().empty());
}

struct TransmitCase {
    const char* label;
    bool transmitted;
    Bytes response;
    TarnLink::CommandStatus_t status;
    bool timeOutMessage;
};

const Bytes kTimedOut{0x0B, 0x0B, 0x00, 0x04, 0x00, 0x00, 0x00, 0xFF};
const Bytes kSucceeded{0x0B, 0x0B, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00};

TEST_F(ExecuteTest, TransmitOutcomesGiveTheirStatuses)
{
    const TransmitCase cases[] = {
        {"false after SetTimedOut", false, kTimedOut, TarnLink::kTLTimeOut, false},
        {"false with an empty response", false, {}, TarnLink::kTLFail, false},
        {"false after SetSucceeded", false, kSucceeded, TarnLink::kTLTransmitFailure, false},
        {"answer timed out", true, ScriptedConduit::ResponseTo(kLevelRequestPacket, {}, 0xFF), TarnLink::kTLTimeOut,
         true},
        {"answer not supported", true, ScriptedConduit::ResponseTo(kLevelRequestPacket, {}, 0x02),
         TarnLink::kTLNotSupported, false},
        {"answer transmit failure", true, ScriptedConduit::ResponseTo(kLevelRequestPacket, {}, 0xF0),
         TarnLink::kTLTransmitFailure, false},
        {"answer of seven bytes",
         true,
         {0x0B, 0x0B, 0x00, 0x04, 0xFF, 0xC9, 0x00},
         TarnLink::kTLPacketSizeError,
         false},
        {"answer without its parameters", true, ScriptedConduit::ResponseTo(kLevelRequestPacket, {0x03}),
         TarnLink::kTLDecompileMissingParameterData, false},
    };
    for (const TransmitCase& testCase : cases) {
        conduit.QueueAnswer({testCase.response, testCase.transmitted});
        TarnCommand command = LevelRequest();
        CoutCapture output;
        EXPECT_FALSE(TarnCommandFactory::Execute(command)) << testCase.label;
        EXPECT_EQ(command.GetStatus(), testCase.status) << testCase.label;
        const std::string message = "\nTarn Command [RtLevel] timed out. Wait time [0] 0 means default timeout";
        EXPECT_EQ(output.Text() == message, testCase.timeOutMessage) << testCase.label << ": " << output.Text();
    }
    EXPECT_EQ(conduit.SucceededCount(), 0);
}

TEST_F(ExecuteTest, OverrideTimeOutTravelsToTheConduitAndTheMessage)
{
    ASSERT_TRUE(TarnLinkPrivate::SetOverrideTimeoutMillisec("RtLevel", 250));
    conduit.QueueAnswer({ScriptedConduit::ResponseTo(kLevelRequestPacket, {}, 0xFF)});
    TarnCommand command = LevelRequest();
    CoutCapture output;
    EXPECT_FALSE(TarnCommandFactory::Execute(command));
    EXPECT_EQ(conduit.Requests().at(0).timeoutMillisec, 250u);
    EXPECT_EQ(output.Text(), "\nTarn Command [RtLevel] timed out. Wait time [250] 0 means default timeout");
}

TEST_F(ExecuteTest, CompileListenerStopsWithTheStatusItChose)
{
    std::vector<std::string> calls;
    RecordingCompileListener stopper(&calls, "stopper");
    RecordingCompileListener second(&calls, "second");
    RecordingExecutionListener executed;
    Install(&stopper);
    Install(&second);
    Install(&executed);

    stopper.proceedValue = false;
    TarnCommand succeeding = LevelRequest();
    EXPECT_TRUE(TarnCommandFactory::Execute(succeeding));
    EXPECT_EQ(succeeding.GetStatus(), TarnLink::kTLSuccess);
    EXPECT_EQ(conduit.SucceededCount(), 1);
    EXPECT_EQ(executed.executed.size(), 1u);

    stopper.succeedIfStoppedValue = false;
    TarnCommand failing = LevelRequest();
    EXPECT_FALSE(TarnCommandFactory::Execute(failing));
    EXPECT_EQ(failing.GetStatus(), TarnLink::kTLFail);
    EXPECT_EQ(conduit.SucceededCount(), 1);
    EXPECT_EQ(executed.executed.size(), 1u);

    EXPECT_EQ(calls, (std::vector<std::string>{"stopper", "stopper"}));
    EXPECT_TRUE(conduit.Requests().empty());
}

TEST_F(ExecuteTest, TransmitListenersRunByPriorityThenInstallationOrder)
{
    std::vector<std::string> calls;
    RecordingTransmitListener five(5, &calls, "5a");
    RecordingTransmitListener one(1, &calls, "1");
    RecordingTransmitListener fiveAgain(5, &calls, "5b");
    RecordingTransmitListener minusTwo(-2, &calls, "-2");
    for (RecordingTransmitListener* listener : {&five, &one, &fiveAgain, &minusTwo}) {
        Install(listener);
    }
    EXPECT_FALSE(TarnCommandFactory::InstallTarnTransmitListener(&one));

    TarnCommand command = LevelRequest();
    TarnCommandFactory::Execute(command);
    EXPECT_EQ(calls, (std::vector<std::string>{"-2", "1", "5a", "5b"}));
    EXPECT_EQ(five.seenConduit, &conduit);
}

TEST_F(ExecuteTest, TransmitListenerCanStandInForTheHardware)
{
    std::vector<std::string> calls;
    RecordingTransmitListener standIn(0, &calls, "stand-in");
    RecordingTransmitListener later(1, &calls, "later");
    RecordingExecutionListener executed;
    Install(&standIn);
    Install(&later);
    Install(&executed);
    standIn.proceedValue = false;
    standIn.standIn = [](TarnCommand&, TarnCommandByteCode& response) {
        const Bytes answer = ScriptedConduit::ResponseTo(kLevelRequestPacket, kLevelAnswerPayload);
        response.CopyByteCodePacketBuffer(answer.data(), answer.size());
    };

    TarnCommand decoded = LevelRequest();
    EXPECT_TRUE(TarnCommandFactory::Execute(decoded));
    short level = 0;
    EXPECT_TRUE(decoded.GetParamInt16("Level", level));
    EXPECT_EQ(level, -5);
    EXPECT_EQ(executed.executed.size(), 1u);

    standIn.useResponseValue = false;
    TarnCommand undecoded = LevelRequest();
    EXPECT_TRUE(TarnCommandFactory::Execute(undecoded));
    EXPECT_EQ(undecoded.GetStatus(), TarnLink::kTLSuccess);
    EXPECT_FALSE(undecoded.IsParamSet("Level"));
    EXPECT_EQ(executed.executed.size(), 1u) << "no notification without decoding";
    EXPECT_EQ(conduit.SucceededCount(), 1);

    EXPECT_EQ(calls, (std::vector<std::string>{"stand-in", "stand-in"}));
    EXPECT_TRUE(conduit.Requests().empty());
}

TEST_F(ExecuteTest, ListenerInstallAndRemoveRules)
{
    RecordingCompileListener compile;
    RecordingExecutionListener execution;
    std::vector<std::string> calls;
    RecordingTransmitListener transmit(0, &calls, "t");

    EXPECT_FALSE(TarnCommandFactory::RemoveTarnCompileListener(&compile));
    EXPECT_FALSE(TarnCommandFactory::InstallTarnCompileListener(nullptr));
    EXPECT_FALSE(TarnCommandFactory::RemoveTarnExecutionListener(nullptr));
    for (int round = 0; round < 2; ++round) {
        EXPECT_TRUE(TarnCommandFactory::InstallTarnCompileListener(&compile));
        EXPECT_FALSE(TarnCommandFactory::InstallTarnCompileListener(&compile));
        EXPECT_TRUE(TarnCommandFactory::InstallTarnExecutionListener(&execution));
        EXPECT_TRUE(TarnCommandFactory::InstallTarnTransmitListener(&transmit));
        TarnCommand command = LevelRequest();
        TarnCommandFactory::Execute(command);
        EXPECT_TRUE(TarnCommandFactory::RemoveTarnCompileListener(&compile));
        EXPECT_FALSE(TarnCommandFactory::RemoveTarnCompileListener(&compile));
        EXPECT_TRUE(TarnCommandFactory::RemoveTarnExecutionListener(&execution));
        EXPECT_TRUE(TarnCommandFactory::RemoveTarnTransmitListener(&transmit));
    }
    EXPECT_EQ(compile.count, 2);
    EXPECT_EQ(calls.size(), 2u);
}

TEST_F(ExecuteTest, ListenerInstalledByTheConduitHearsTheCommandInFlight)
{
    RecordingExecutionListener executed;
    conduit.SetResponder([&executed](const ScriptedConduit::Request& request, TarnCommandByteCode& response) {
        TarnCommandFactory::InstallTarnExecutionListener(&executed);
        const Bytes answer = ScriptedConduit::ResponseTo(request.packet, kLevelAnswerPayload);
        return response.CopyByteCodePacketBuffer(answer.data(), answer.size());
    });
    TarnCommand command = LevelRequest();
    EXPECT_TRUE(TarnCommandFactory::Execute(command));
    EXPECT_TRUE(TarnCommandFactory::RemoveTarnExecutionListener(&executed));
    EXPECT_EQ(executed.executed, std::vector<std::string>{"RtLevel"});
}

TEST_F(ExecuteTest, RawExecuteChecksOnlyTheAnswersStatusByte)
{
    TarnCommandByteCode request;
    request.CopyByteCodePacketBuffer(kLevelRequestPacket.data(), kLevelRequestPacket.size());

    EXPECT_TRUE(TarnCommandFactory::Execute("raw", request, nullptr, 40));
    conduit.QueueAnswer({ScriptedConduit::ResponseTo(kLevelRequestPacket, {}, 0x01)});
    EXPECT_FALSE(TarnCommandFactory::Execute("raw", request, nullptr, 0));
    conduit.QueueAnswer({{0x0B, 0x0B, 0x00, 0x04, 0x00, 0x00, 0x00}});
    TarnCommandByteCode shortAnswer;
    EXPECT_FALSE(TarnCommandFactory::Execute("raw", request, &shortAnswer, 0));
    EXPECT_EQ(shortAnswer.ComputeTotalPacketByteCodeLength(), 7u);
    conduit.QueueAnswer({kSucceeded, false});
    EXPECT_FALSE(TarnCommandFactory::Execute("raw", request, nullptr, 0));
    EXPECT_FALSE(TarnCommandFactory::Execute(nullptr, request, nullptr, 0));

    const auto requests = conduit.Requests();
    ASSERT_EQ(requests.size(), 4u);
    EXPECT_EQ(requests[0].commandName, "raw");
    EXPECT_EQ(requests[0].timeoutMillisec, 40u);
    EXPECT_EQ(conduit.SucceededCount(), 0);

    TarnLinkPrivate::ForgetConduits();
    EXPECT_FALSE(TarnCommandFactory::Execute("raw", request, nullptr, 0));
}

using OverrideConduitTest = RuntimeTest;

TEST_F(OverrideConduitTest, OverrideDetectsTheHardwareAndResetsTimeOuts)
{
    ScriptedConduit replacement;
    TarnCommandFactory::InstallTargetConduit(&replacement, 2);
    ASSERT_TRUE(TarnLinkPrivate::SetOverrideTimeoutMillisec("RtLevel", 250));

    CoutCapture quiet;
    EXPECT_TRUE(TarnCommandFactory::OverrideConduit(&conduit));
    EXPECT_EQ(TarnCommandFactory::GetConduit(), &conduit);
    EXPECT_FALSE(conduit.Requests().empty()) << "detection asks the hardware behind the new conduit";
    EXPECT_TRUE(replacement.Requests().empty());
    EXPECT_EQ(TarnLinkPrivate::FindCommandFormat("RtLevel")->GetOverrideTimeoutMillisec(), 0u);
    EXPECT_EQ(conduit.LockCount(), conduit.UnlockCount());

    EXPECT_TRUE(TarnCommandFactory::OverrideConduit(nullptr));
    EXPECT_EQ(TarnCommandFactory::GetConduit(), nullptr);
}

} // namespace
