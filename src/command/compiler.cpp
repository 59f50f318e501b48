// Compiling a command into the one packet of its byte-code: the entry
// checks, then the precomputed packet of a definition with fixed-size data,
// or the full compilation for everything else.

#include "command/compiler.h"

#include <cstring>

#include "command/byte_code_state.h"
#include "command/command_state.h"
#include "command/entry_check.h"
#include "command/full_compilation.h"
#include "dictionary/packet_layout.h"
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

// Writes the integers of the leading parameters a packet of the command
// carries (request-data parameters lead the definition), each straight from
// its slot; the end of the last one in end. False at a value not set as
// exactly its parameter's type.
bool WriteIntegerSlots(const CommandState& command, const std::vector<ParameterDefinition>& parameters,
                       std::size_t count, unsigned char* out, std::size_t& end)
{
    for (std::size_t index = 0; index < count; ++index) {
        const ParameterDefinition& parameter = parameters[index];
        if (!command.isSend && !parameter.requiredForRequestData) {
            break;
        }
        const ParameterValue& value = command.SlotValue(index);
        if (!value.Holds(parameter.type)) {
            return false;
        }
        const auto size = static_cast<std::size_t>(parameter.size);
        const auto offset = static_cast<std::size_t>(parameter.packetOffset);
        WriteBigEndianInteger(value.Bits(), size, out + offset);
        end = offset + size;
    }
    return true;
}

// The packet of a command laid out for a definition with fixed-size data
// whose carried values are all set as exactly their parameters' types: the
// header written at load, then the values. False, the packet not counting,
// for any other command, which the full compilation handles with its messages.
bool CompileFixedPacket(const CommandState& command, const TarnDataCommandFormat& definition, ByteCodeState& packet)
{
    const unsigned char* header = definition.PrecomputedHeader(command.isSend);
    if (header == nullptr) {
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
    const std::vector<ParameterDefinition>& parameters = definition.Parameters();
    if (!WriteIntegerSlots(command, parameters, parameters.size(), out, end)) {
        return false;
    }
    if (end < total) {
        std::memset(out + end, 0, total - end);
    }
    packet.length = total;
    return true;
}

// The packet of a send command laid out for a definition that ends in a byte
// stream, its integers set as exactly their types and its stream not empty
// and within the payload: the header for the stream's length, the integers,
// then the stream in one copy. False, the packet not counting, for any other
// command, which the full compilation handles with its messages.
bool CompileStreamPacket(const CommandState& command, const TarnDataCommandFormat& definition, ByteCodeState& packet)
{
    const PacketSizes* empty = SizesWithEmptyByteStream(definition);
    if (!command.isSend || empty == nullptr) {
        return false;
    }
    const std::vector<ParameterDefinition>& parameters = definition.Parameters();
    const std::vector<char>* stream = command.SlotValue(parameters.size() - 1).Bytes();
    if (stream == nullptr || stream->empty()) {
        return false;
    }
    const auto length = static_cast<std::int64_t>(stream->size());
    const std::int64_t limit = definition.PayloadLimit();
    if (length > limit || empty->sendPayloadSize + length > limit) {
        return false;
    }
    const auto payload = static_cast<std::int32_t>(empty->sendPayloadSize + length);
    const auto total = static_cast<std::size_t>(empty->sendSize + length);
    unsigned char* out = packet.Reserve(total);
    std::size_t end = 0;
    if (out == nullptr || !definition.WritePacketHeader(true, payload, out) ||
        !WriteIntegerSlots(command, parameters, parameters.size() - 1, out, end)) {
        return false;
    }
    std::memcpy(out + parameters.back().packetOffset, stream->data(), stream->size());
    packet.length = total;
    return true;
}

// The packet of a command laid out for its definition by one of the two
// short paths; false when neither applies.
bool CompilePrecomputed(const CommandState& command, const TarnDataCommandFormat& definition, ByteCodeState& packet)
{
    if (!command.IsLaidOutFor(definition)) {
        return false;
    }
    return definition.HasVariableLengthData() ? CompileStreamPacket(command, definition, packet)
                                              : CompileFixedPacket(command, definition, packet);
}
} // namespace

void ReportNoDefinitionToCompile(const char* commandName) { VerboseMessage(kFormatNotFound, commandName); }

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
        ReportNoDefinitionToCompile(state.name.c_str());
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
    if (!trace && CompilePrecomputed(state, *definition, packet)) {
        return true;
    }
    // Symbolic constants are resolved in the host's own command: after
    // compiling, such a parameter holds its number. Hosts make their commands
    // as ordinary (non-const) objects, so writing through the const reference
    // of the interface is sound.
    return CompileInFull(const_cast<CommandState&>(state), *definition, packet, status, trace);
}

} // namespace TarnLinkPrivate
