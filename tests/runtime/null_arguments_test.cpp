// A null pointer where a name, a text or an out-argument belongs makes a call
// fail and change nothing, wherever the interface promises nothing else.

#include "hwcaps/hwcaps_registry.h"
#include "runtime_fixture.h"

#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "tarnlink/TarnDictionary.h"
#include "tarnlink/TarnHWCaps.h"

namespace {

using TarnLink::HWCaps::CmdParamConditionList;
using TarnLink::HWCaps::TarnHWCaps;
using TarnLink::HWCaps::TarnHWCapsFactory;

// Everything a call with a null argument could change.
struct Subjects {
    TarnCommand command{"RtLevel"};
    TarnCommandByteCode packet;
    CmdParamConditionList conditions;
    TarnHWCaps* caps = nullptr;
    std::ostringstream out;

    std::string Snapshot() const
    {
        std::ostringstream state;
        command.WriteParsable(state);
        unsigned char* bytes = nullptr;
        std::size_t length = 0;
        packet.GetPacketByteCodeBuffer(&bytes);
        packet.GetPacketByteCodeBufferLength(&length);
        state << command.GetStatus() << ' ' << command.GetConduitID() << ' ' << std::string(bytes, bytes + length)
              << ' ' << conditions.GetNumConditions() << ' ' << caps->GetNumProperties(nullptr) << ' '
              << caps->GetNumCmdParamConditionLists() << ' ' << TarnCommandFactory::GetConduitListSize() << ' '
              << TarnCommandFactory::GetConduit() << ' ' << out.str();
        return state.str();
    }
};

struct NullCase {
    const char* call;
    std::function<bool(Subjects&)> run;
};

class NullArgumentsTest : public RuntimeTest {};

TEST_F(NullArgumentsTest, FailAndChangeNothing)
{
    Subjects subjects;
    subjects.command.SetParamUInt8("Channel", 3);
    const unsigned char bytes[] = {0x0B, 0x0B, 0x00, 0x04, 0x40, 0x2F, 0x00, 0x00};
    ASSERT_TRUE(subjects.packet.CopyByteCodePacketBuffer(bytes, sizeof bytes));
    ASSERT_TRUE(subjects.conditions.AddCmdParamIntegerValue("SampleRate", "SampleRate", 2));
    subjects.caps = TarnHWCapsFactory::CreateHWCaps("BreakoutSD");
    ASSERT_NE(TarnLinkPrivate::RegisteredDataOf(*subjects.caps), nullptr);
    const std::unique_ptr<TarnHWCaps, void (*)(TarnHWCaps*)> release(
        subjects.caps, [](TarnHWCaps* caps) { TarnHWCapsFactory::DestroyHWCaps(caps); });

    std::int32_t value = 0;
    std::uint32_t millisec = 0;
    std::int64_t offset = 0;
    char buffer[16] = {};
    const NullCase cases[] = {
        {"SetCommandName",
         [](Subjects& s) {
             s.command.SetCommandName(nullptr);
             return false;
         }},
        {"SetParamUInt8",
         [](Subjects& s) {
             s.command.SetParamUInt8(nullptr, 1);
             return false;
         }},
        {"SetParamBySymbol",
         [](Subjects& s) {
             s.command.SetParamBySymbol("Channel", nullptr);
             return false;
         }},
        {"SetParamByteStream",
         [](Subjects& s) {
             s.command.SetParamByteStream("Channel", nullptr, 2);
             return false;
         }},
        {"GetParamSetSymbol", [](Subjects& s) { return s.command.GetParamSetSymbol(nullptr, nullptr, 4); }},
        {"IsParamSetBySymbolEqualTo",
         [](Subjects& s) { return s.command.IsParamSetBySymbolEqualTo("Channel", nullptr); }},
        {"GetPacketByteCodeBuffer", [](Subjects& s) { return s.packet.GetPacketByteCodeBuffer(nullptr); }},
        {"GetPointerToParamDataLocation",
         [](Subjects& s) { return s.packet.GetPointerToParamDataLocation(0, nullptr); }},
        {"GetPointerToStartOfDataPayload",
         [](Subjects& s) { return s.packet.GetPointerToStartOfDataPayload(nullptr); }},
        {"CopyByteCodePacketBuffer", [](Subjects& s) { return s.packet.CopyByteCodePacketBuffer(nullptr, 4); }},
        {"ComputeCompiled...Offset name",
         [&offset](Subjects& s) {
             return TarnCommandFactory::ComputeCompiledCommandParamDataPacketAndBytecodeOffset(s.command, nullptr,
                                                                                               &offset);
         }},
        {"Execute by name", [](Subjects& s) { return TarnCommandFactory::Execute(nullptr, s.packet, nullptr, 0); }},
        {"OpenExecutionTraceLogfile", [](Subjects&) { return TarnCommandFactory::OpenExecutionTraceLogfile(nullptr); }},
        {"RemoveTargetConduit", [](Subjects&) { return TarnCommandFactory::RemoveTargetConduit(nullptr, 1); }},
        {"InstallTarnCompileListener",
         [](Subjects&) { return TarnCommandFactory::InstallTarnCompileListener(nullptr); }},
        {"RemoveTarnTransmitListener",
         [](Subjects&) { return TarnCommandFactory::RemoveTarnTransmitListener(nullptr); }},
        {"GetCommandSymbolicConstantValue",
         [&value](Subjects&) {
             return TarnCommandFactory::GetCommandSymbolicConstantValue(static_cast<const char*>(nullptr), "Level_Low",
                                                                        &value);
         }},
        {"IsCommandParamEqualToSymbol",
         [](Subjects& s) { return TarnCommandFactory::IsCommandParamEqualToSymbol(s.command, nullptr, nullptr); }},
        {"CompareCommandParams",
         [](Subjects& s) {
             return TarnCommandFactory::CompareCommandParams(s.command, "Channel", s.command, "Channel", nullptr);
         }},
        {"AreCommandParamsEquivalent",
         [](Subjects& s) {
             return TarnCommandFactory::AreCommandParamsEquivalent(s.command, nullptr, s.command, "Channel");
         }},
        {"GetCommandParamTypeCodeString",
         [&buffer](Subjects&) {
             return TarnCommandFactory::GetCommandParamTypeCodeString("RtLevel", nullptr, sizeof buffer, buffer);
         }},
        {"GetCommandInfo name",
         [](Subjects&) {
             TarnLink::CommandInfo info;
             return TarnLink::TarnDictionary::GetCommandInfo(nullptr, &info);
         }},
        {"GetCommandInfo info", [](Subjects&) { return TarnLink::TarnDictionary::GetCommandInfo("RtLevel", nullptr); }},
        {"DumpCommand", [](Subjects& s) { return TarnLink::TarnDictionary::DumpCommand(nullptr, s.out); }},
        {"WriteCommandHeaderText",
         [](Subjects& s) { return TarnLink::TarnDictionary::WriteCommandHeaderText(nullptr, s.out); }},
        {"AddCmdParamIntegerValue",
         [](Subjects& s) { return s.conditions.AddCmdParamIntegerValue(nullptr, nullptr, 1); }},
        {"AddCmdParamSymbolValue",
         [](Subjects& s) { return s.conditions.AddCmdParamSymbolValue("SampleRate", "SampleRate", nullptr); }},
        {"RemoveCmdParamValue",
         [](Subjects& s) {
             s.conditions.RemoveCmdParamValue(nullptr, nullptr);
             return false;
         }},
        {"ConditionExists", [](Subjects& s) { return s.conditions.ConditionExists(nullptr, "SampleRate"); }},
        {"GetConditionValue",
         [&value](Subjects& s) { return s.conditions.GetConditionValue(nullptr, nullptr, &value); }},
        {"HasProperty", [](Subjects& s) { return s.caps->HasProperty(nullptr, nullptr); }},
        {"IsPropertyInteger", [](Subjects& s) { return s.caps->IsPropertyInteger(nullptr, nullptr); }},
        {"IsPropertyString", [](Subjects& s) { return s.caps->IsPropertyString(nullptr, nullptr); }},
        {"GetPropertyAsInteger",
         [&value](Subjects& s) { return s.caps->GetPropertyAsInteger(nullptr, &value, nullptr); }},
        {"GetPropertyAsString",
         [](Subjects& s) { return s.caps->GetPropertyAsString("PeripheralName", 8, nullptr, nullptr); }},
        {"GetNthPropertyName", [](Subjects& s) { return s.caps->GetNthPropertyName(0, 8, nullptr, nullptr); }},
        {"CommandParameterHasDefinedValues",
         [](Subjects& s) { return s.caps->CommandParameterHasDefinedValues(nullptr, nullptr, nullptr); }},
        {"CommandParameterHasRangeValues",
         [](Subjects& s) { return s.caps->CommandParameterHasRangeValues("SampleRate", nullptr, nullptr); }},
        {"CommandParameterHasSymbolValues",
         [](Subjects& s) { return s.caps->CommandParameterHasSymbolValues(nullptr, "SampleRate", nullptr); }},
        {"GetCommandParameterNthSymbolValue",
         [](Subjects& s) {
             return s.caps->GetCommandParameterNthSymbolValue("SampleRate", "SampleRate", 0, 8, nullptr, nullptr);
         }},
        {"HasCommandOverrideTimeoutValue", [](Subjects& s) { return s.caps->HasCommandOverrideTimeoutValue(nullptr); }},
        {"GetCommandOverrideTimeoutValue",
         [&millisec](Subjects& s) { return s.caps->GetCommandOverrideTimeoutValue(nullptr, millisec); }},
        {"GetNthCmdParamConditionListKeyname",
         [](Subjects& s) { return s.caps->GetNthCmdParamConditionListKeyname(0, nullptr, 8); }},
        {"HasCmdParamConditionListKeyname",
         [](Subjects& s) { return s.caps->HasCmdParamConditionListKeyname(nullptr); }},
        {"MergeHWCaps", [](Subjects& s) { return s.caps->MergeHWCaps(nullptr); }},
    };
    for (const NullCase& c : cases) {
        const std::string before = subjects.Snapshot();
        CoutCapture quiet;
        EXPECT_FALSE(c.run(subjects)) << c.call;
        EXPECT_EQ(subjects.Snapshot(), before) << c.call;
    }
}

} // namespace
