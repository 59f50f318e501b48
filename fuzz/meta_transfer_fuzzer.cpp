// A meta transfer, sent and requested, against a device that answers from the
// fuzzer's bytes: it ends, a failure keeps the host's parameters, a send
// carries no more packets than its data needs, and a successful request
// holds its data and keeps the host's other parameters.

#include <sstream>
#include <string>
#include <vector>

#include "command_filler.h"
#include "dictionary/tcd_file_processor.h"
#include "fuzz_input.h"
#include "library_setup.h"
#include "lying_device.h"
#include "parsable_of.h"

namespace {

using TarnLink::CommandInfo;
using TarnLink::TarnCommand;
using TarnLink::TarnCommandFactory;

// Meta commands of several shapes besides the shipped one, under a type code
// the shipped dictionary leaves free.
constexpr char kMetaDefinitions[] =
    "FzChunkStart Tarn CommandTypeMajor DIAGNOSTIC CommandTypeMinor 63 Function 120"
    " DataName TotalSize DataType UINT32 ;\n"
    "FzChunkData Tarn CommandTypeMajor DIAGNOSTIC CommandTypeMinor 63 Function 121 DataName Data DataType BYTES ;\n"
    "FzChunkStop Tarn CommandTypeMajor DIAGNOSTIC CommandTypeMinor 63 Function 122 ;\n"
    "FzBlob Meta Start FzChunkStart Repeat FzChunkData Stop FzChunkStop"
    " DataName Header DataType UINT32 DataName Body DataType BYTES ;\n"
    "FzPair Meta Start FzChunkStart Repeat FzChunkData Stop FzChunkStop"
    " DataName Count DataType UINT16 DataName Value DataType INT64 ;\n"
    "FzBare Meta Start FzChunkStart Repeat FzChunkData Stop FzChunkStop ;\n";

constexpr std::size_t kChunk = 2040;
constexpr std::int32_t kConduitId = 1;

std::vector<CommandInfo> MetaCommands()
{
    InitializeLibraryOnce();
    TarnLinkPrivate::ParseFileProcessor parser;
    std::istringstream definitions(kMetaDefinitions);
    Require(parser.ProcessFile(definitions, "fuzz_meta.tcd"), "the fuzzer's meta definitions load");
    std::vector<CommandInfo> commands;
    for (const std::string& name : TarnLink::TarnDictionary::GetCommandNames()) {
        CommandInfo info;
        if (TarnLink::TarnDictionary::GetCommandInfo(name.c_str(), &info) &&
            info.kind == TarnLink::CommandKind::kMeta) {
            commands.push_back(info);
        }
    }
    return commands;
}

// The parsable text of a request names no parameters; a send names them all.
std::string ParametersOf(TarnCommand command)
{
    command.SetupSendCommand();
    return ParsableOf(command);
}

std::size_t DataSize(const TarnCommand& command, const CommandInfo& definition)
{
    std::size_t total = 0;
    for (const TarnLink::ParameterInfo& parameter : definition.parameters) {
        const std::string& type = parameter.typeName;
        std::size_t length = 0;
        if (type == "BYTES") {
            command.GetParamByteStreamLength(parameter.name.c_str(), &length);
        } else {
            length = type.find("64") != std::string::npos   ? 8
                     : type.find("32") != std::string::npos ? 4
                     : type.find("16") != std::string::npos ? 2
                                                            : 1;
        }
        total += length;
    }
    return total;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::vector<CommandInfo> commands = MetaCommands();
    Require(!commands.empty(), "the dictionary has meta commands");

    FuzzInput input(data, size);
    const CommandInfo& definition = commands[input.Choice(commands.size())];
    const bool isSend = input.Flag();
    TarnCommand command(definition.name.c_str());
    if (isSend) {
        command.SetupSendCommand();
        SetEveryParameter(command, definition, input);
    } else {
        command.SetupRequestDataCommand();
        command.SetParamUInt8("Kept", 7);
    }
    const std::string before = ParametersOf(command);

    LyingDevice device;
    device.AnswerFrom(&input);
    Require(TarnCommandFactory::InstallTargetConduit(&device, kConduitId), "the device is installed");
    const bool executed = TarnCommandFactory::Execute(command);
    Require(TarnCommandFactory::RemoveTargetConduit(&device, kConduitId), "the device is removed");

    if (!executed) {
        Require(command.GetStatus() == TarnLink::kTLFail, "a failed transfer fails the command");
        Require(ParametersOf(command) == before, "a failed transfer keeps the host's parameters");
    }
    const std::size_t sent = device.Transmitted();
    if (isSend) {
        Require(sent <= 2 + (DataSize(command, definition) + kChunk - 1) / kChunk,
                "a send carries a start, its data in full chunks and a stop");
    } else if (executed && command.GetStatus() == TarnLink::kTLSuccess) {
        // The collected data end where the announced total ends, so only
        // the first data parameter is sure to be there.
        Require(definition.parameters.empty() || command.IsParamSet(definition.parameters.front().name.c_str()),
                "a successful request holds its first data parameter");
        Require(command.IsParamSet("Kept"), "a successful request keeps the host's other parameters");
    }
    return 0;
}
