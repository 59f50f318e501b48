// Compiling a command into the one packet of its byte-code: the entry
// checks, then the precomputed packet of a definition with fixed-size data,
// or the full compilation for everything else.

#include "command/compiler.h"

#include <cstring>

#include "command/byte_code_state.h"
#include "command/command_state.h"
#include "command/full_compilation.h"
#include "dictionary/packet_layout.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/library_state.h"
#include "wire/big_endian.h"
#include "wire/wire_format.h"

namespace TarnLinkPrivate {

using TarnLink::CommandStatus_t;
using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;

namespace {
// Writes the first count planned integers, each straight from its slot.
// False at a value not set as exactly its parameter's type.
inline bool WriteIntegers(const CommandState& command, const PacketPlan& plan, std::size_t count, unsigned char* out)
{
    // Pointers held across the loop: a byte written may alias anything.
    const PlannedInteger* integer = plan.Integers().data();
    const CommandState::Slot* slot = command.LaidOutSlots();
    for (const PlannedInteger* end = integer + count; integer != end; ++integer, ++slot) {
        const ParameterValue& value = slot->value;
        if (!value.Holds(integer->type)) {
            return false;
        }
        WriteBigEndianInteger(value.Bits(), integer->width, out + integer->offset);
    }
    return true;
}

// The packet of a command laid out for a definition with fixed-size data
// whose carried values are all set as exactly their parameters' types: the
// header planned at load, then the values. False, the packet not counting,
// for a value of another type, which the full compilation reports.
bool CompileFixedPacket(const CommandState& command, const PacketPlan& plan, const FixedPacket& fixed,
                        ByteCodeState& packet)
{
    unsigned char* out = packet.Reserve(fixed.total);
    if (out == nullptr) {
        return false;
    }
    constexpr auto kTarnHeaderBytes = static_cast<std::size_t>(kTarnHeaderLength);
    if (fixed.headerLength == kTarnHeaderBytes) {
        std::memcpy(out, fixed.header.data(), kTarnHeaderBytes); // a copy of known size is a single move
    } else {
        std::memcpy(out, fixed.header.data(), fixed.headerLength);
    }
    if (!WriteIntegers(command, plan, plan.CarriedBy(command.isSend), out)) {
        return false;
    }
    if (fixed.valuesEnd < fixed.total) {
        std::memset(out + fixed.valuesEnd, 0, fixed.total - fixed.valuesEnd);
    }
    packet.length = fixed.total;
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
    const PacketPlan& plan = definition.Plan();
    if (out == nullptr || !definition.WritePacketHeader(true, payload, out) ||
        !WriteIntegers(command, plan, plan.CarriedBy(true), out)) {
        return false;
    }
    std::memcpy(out + parameters.back().packetOffset, stream->data(), stream->size());
    packet.length = total;
    return true;
}

// The packet of a command laid out for its definition by one of the two
// short paths, in a library that is initialized and writes no compile trace;
// false when neither applies, the packet not counting.
inline bool CompilePrecomputed(const CommandState& command, const CommandFormat* found, ByteCodeState& packet)
{
    if (found == nullptr || found->IsMetaCommandFormat() || !command.IsLaidOutFor(*found) || !IsLibraryInitialized() ||
        IsCompileTrace()) {
        return false;
    }
    // Every kind but Meta carries parameter data.
    const auto& definition = static_cast<const TarnDataCommandFormat&>(*found);
    const PacketPlan& plan = definition.Plan();
    if (const FixedPacket* fixed = plan.Fixed(command.isSend)) {
        return CompileFixedPacket(command, plan, *fixed, packet);
    }
    return definition.HasVariableLengthData() && CompileStreamPacket(command, definition, packet);
}

// Compiles with the definition found for the command.
inline bool Compile(const CommandState& state, const CommandFormat* found, ByteCodeState& packet,
                    std::uint32_t* timeoutMillisec, CommandStatus_t* status)
{
    if (timeoutMillisec != nullptr) {
        *timeoutMillisec = 0;
    }
    if (status != nullptr) {
        *status = TarnLink::kTLSuccess;
    }
    if (!CompilePrecomputed(state, found, packet)) {
        return CompileWithChecks(state, found, packet, timeoutMillisec, status);
    }
    if (timeoutMillisec != nullptr) {
        *timeoutMillisec = found->GetOverrideTimeoutMillisec();
    }
    return true;
}
} // namespace

bool CompileTarnByteCode(const TarnCommand& command, const CommandFormat* found, TarnCommandByteCode& byteCode,
                         std::uint32_t* timeoutMillisec, CommandStatus_t* status)
{
    return Compile(StateOf(command), found, StateOf(byteCode), timeoutMillisec, status);
}

bool CompileTarnByteCode(const TarnCommand& command, TarnCommandByteCode& byteCode, std::uint32_t* timeoutMillisec,
                         CommandStatus_t* status)
{
    const CommandState& state = StateOf(command);
    return Compile(state, state.Definition(), StateOf(byteCode), timeoutMillisec, status);
}

} // namespace TarnLinkPrivate
