// Decoding any bytes into any shipped command, in both directions, strict and
// lenient: the packet stays as it was, decoding is repeatable and the same
// along the planned and the full path, and a strict success of a request
// leaves every fixed-size parameter set.

#include <sstream>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "parsable_of.h"
#include "library_setup.h"

namespace {

using TarnLink::CommandInfo;
using TarnLink::CommandStatus_t;
using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;
using TarnLink::TarnCommandFactory;

struct Decoding {
    bool decoded;
    CommandStatus_t reported;
    CommandStatus_t commandStatus;
    std::string command;
};

Decoding Decode(const CommandInfo& definition, bool isSend, bool lenient, const TarnCommandByteCode& packet)
{
    TarnCommand command(definition.name.c_str());
    command.SetParamUInt8("Before", 1);
    if (isSend) {
        command.SetupSendCommand();
    } else {
        command.SetupRequestDataCommand();
    }
    CommandStatus_t status = TarnLink::kTLSuccess;
    const bool decoded = TarnCommandFactory::DecompileTarnByteCode(command, packet, &status, lenient);
    // The parsable text of a request names no parameters; a send names them all.
    command.SetupSendCommand();
    return {decoded, status, command.GetStatus(), ParsableOf(command)};
}

bool EveryFixedSizeParameterIsSet(const CommandInfo& definition, const TarnCommandByteCode& packet)
{
    TarnCommand command(definition.name.c_str());
    command.SetupRequestDataCommand();
    CommandStatus_t status = TarnLink::kTLSuccess;
    TarnCommandFactory::DecompileTarnByteCode(command, packet, &status, false);
    for (const TarnLink::ParameterInfo& parameter : definition.parameters) {
        if (parameter.typeName != "BYTES" && !command.IsParamSet(parameter.name.c_str())) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InitializeLibraryOnce();
    static const std::vector<CommandInfo> commands = PacketCommands();
    Require(!commands.empty(), "the dictionary has commands");

    FuzzInput input(data, size);
    const CommandInfo& definition = commands[input.Choice(commands.size())];
    const std::uint8_t mode = input.Byte();
    const bool isSend = (mode & 1) != 0;
    const bool lenient = (mode & 2) != 0;
    const std::string bytes = input.Rest();
    TarnCommandByteCode packet;
    if (!packet.CopyByteCodePacketBuffer(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size())) {
        return 0;
    }

    const Decoding first = Decode(definition, isSend, lenient, packet);
    const Decoding full = WithCompileTrace([&] { return Decode(definition, isSend, lenient, packet); });
    Require(full.decoded == first.decoded && full.command == first.command &&
                full.commandStatus == first.commandStatus && full.reported == first.reported,
            "the planned and the full decoding agree");
    unsigned char* held = nullptr;
    std::size_t length = 0;
    Require(packet.GetPacketByteCodeBuffer(&held) && packet.GetPacketByteCodeBufferLength(&length) &&
                std::string(reinterpret_cast<const char*>(held), length) == bytes,
            "decoding leaves the packet as it was");
    const Decoding second = Decode(definition, isSend, lenient, packet);
    Require(first.decoded == second.decoded && first.command == second.command &&
                first.commandStatus == second.commandStatus && (first.decoded || first.reported == second.reported),
            "decoding the same packet twice gives the same command");
    if (first.decoded && !isSend && !lenient && first.commandStatus == TarnLink::kTLSuccess) {
        Require(EveryFixedSizeParameterIsSet(definition, packet), "a strict decoding sets every fixed-size parameter");
    }
    return 0;
}
