// Compiling a command into the one packet of its byte-code: the entry
// checks, then the precomputed packet of a definition with fixed-size data,
// or the full compilation for everything else.

#include "command/compiler.h"

#include <cstring>

#include "command/byte_code_state.h"
#include "command/command_state.h"
#include "command/entry_check.h"
#include "command/full_compilation.h"
#include "diagnostics/diagnostics.h"
#include "wire/big_endian.h"
#include "wire/wire_format.h"

namespace TarnLinkPrivate {

using TarnLink::CommandStatus_t;
using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;

namespace {
constexpr char kNotInitialized[] = "\n<-> ERROR Attempted to Compile command - TarnLink NOT INITIALIZED!\n";
constexpr char kMetaCommand[] =
    "\n<-> ERROR Attempted to Compile a MetaCommand - MetaCommands can only be Execute(d)!\n";
constexpr char kFormatNotFound[] = "\nConstructing ByteCode Compiler - Command format not found - Command : ";

// The packet of a command laid out for a definition with fixed-size data
// whose carried values are all set as exactly their parameters' types: the
// header written at load, then the values. False, nothing held, for any other
// command, which the full compilation handles with its messages.
bool CompileFixedPacket(const CommandState& command, const TarnDataCommandFormat& definition, ByteCodeState& packet)
{
    const unsigned char* header = definition.PrecomputedHeader(command.isSend);
    if (header == nullptr || !command.IsLaidOutFor(definition)) {
        return false;
    }
    const PacketSizes& sizes = definition.Sizes();
    const auto total = static_cast<std::size_t>(command.isSend ? sizes.sendSize : sizes.requestSize);
    unsigned char* out = packet.Reserve(total);
    if (out == nullptr) {
        return false;
    }
    auto end = static_cast<std::size_t>(definition.PrecomputedHeaderLength());
    constexpr auto kTarnHeaderBytes = static_cast<std::size_t>(kTarnHeaderLength);
    if (end == kTarnHeaderBytes) {
        std::memcpy(out, header, kTarnHeaderBytes); // a copy of known size is a single move
    } else {
        std::memcpy(out, header, end);
    }
    // Request-data parameters lead the definition.
    const std::vector<ParameterDefinition>& parameters = definition.Parameters();
    for (std::size_t index = 0; index < parameters.size(); ++index) {
        const ParameterDefinition& parameter = parameters[index];
        if (!command.isSend && !parameter.requiredForRequestData) {
            break;
        }
        const ParameterValue& value = command.SlotValue(index);
        if (!value.Holds(parameter.type)) {
            return false; // the packet so far does not count: the length stays 0
        }
        const auto size = static_cast<std::size_t>(parameter.size);
        const auto offset = static_cast<std::size_t>(parameter.packetOffset);
        WriteBigEndianInteger(value.Bits(), size, out + offset);
        end = offset + size;
    }
    if (end < total) {
        std::memset(out + end, 0, total - end);
    }
    packet.length = total;
    return true;
}
} // namespace

bool CompileTarnByteCode(const TarnCommand& command, const CommandFormat* found, TarnCommandByteCode& byteCode,
                         std::uint32_t* timeoutMillisec, CommandStatus_t* status)
{
    if (timeoutMillisec != nullptr) {
        *timeoutMillisec = 0;
    }
    if (status != nullptr) {
        *status = TarnLink::kTLSuccess;
    }
    const CommandState& state = StateOf(command);
    if (!PassesEntryChecks(found, state.name.c_str(), EntryTexts{kNotInitialized, kMetaCommand})) {
        return false;
    }
    ByteCodeState& packet = StateOf(byteCode);
    packet.length = 0; // empty until a packet is complete
    if (found == nullptr) {
        VerboseMessage(kFormatNotFound, command.GetCommandName());
        if (status != nullptr) {
            *status = TarnLink::kTLCommandFormatNotFound;
        }
        return false;
    }
    // Every kind but Meta, refused above, carries parameter data.
    const auto* definition = static_cast<const TarnDataCommandFormat*>(found);
    if (timeoutMillisec != nullptr) {
        *timeoutMillisec = definition->GetOverrideTimeoutMillisec();
    }
    const bool trace = IsCompileTrace();
    if (!trace && CompileFixedPacket(state, *definition, packet)) {
        return true;
    }
    // Symbolic constants are resolved in the host's own command: after
    // compiling, such a parameter holds its number. Hosts make their commands
    // as ordinary (non-const) objects, so writing through the const reference
    // of the interface is sound.
    return CompileInFull(const_cast<CommandState&>(state), *definition, packet, status, trace);
}

} // namespace TarnLinkPrivate
