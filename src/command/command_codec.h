#ifndef TARNLINK_COMMAND_COMMAND_CODEC_H
#define TARNLINK_COMMAND_COMMAND_CODEC_H

// Compiling a command into its packet and decoding its response, as the
// facade and the executor both do: the planned paths for the commands a host
// sends again and again, inline so that each caller carries them, and the
// full compilation and decompilation, with their messages, for every other.

#include <cstdint>
#include <cstring>
#include <utility>

#include "command/byte_code_state.h"
#include "command/command_state.h"
#include "command/full_compilation.h"
#include "command/full_decompilation.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/command_format.h"
#include "dictionary/library_state.h"
#include "dictionary/packet_plan.h"
#include "wire/big_endian.h"
#include "wire/wire_format.h"

namespace TarnLinkPrivate {

// Writes the first count planned integers, each straight from its slot.
// False at a value not set as exactly its parameter's type.
inline bool WriteIntegers(const CommandState& command, const PacketPlan& plan, std::size_t count, unsigned char* out)
{
    // Pointers held across the loop: a byte written may alias anything.
    const PlannedInteger* integer = plan.Integers();
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
inline bool CompileFixedPacket(const CommandState& command, const PacketPlan& plan, const FixedPacket& fixed,
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
bool CompileStreamPacket(const CommandState& command, const TarnDataCommandFormat& definition, ByteCodeState& packet);

// The packet of a command laid out for its definition by one of the two
// short paths, in a library that is initialized and writes no compile trace,
// and that definition; null when neither path applies, the packet not
// counting.
inline const TarnDataCommandFormat* CompilePlanned(const CommandState& command, ByteCodeState& packet)
{
    const TarnDataCommandFormat* definition = command.LaidOutDataDefinition();
    if (definition == nullptr || !IsLibraryInitialized() || IsCompileTrace()) {
        return nullptr;
    }
    const PacketPlan& plan = definition->Plan();
    const FixedPacket* fixed = plan.Fixed(command.isSend);
    const bool compiled =
        fixed != nullptr ? CompileFixedPacket(command, plan, *fixed, packet)
                         : definition->HasVariableLengthData() && CompileStreamPacket(command, *definition, packet);
    return compiled ? definition : nullptr;
}

// Compiles the command the way CompileTarnByteCode does.
inline bool CompileCommand(const CommandState& state, ByteCodeState& packet, std::uint32_t* timeoutMillisec,
                           TarnLink::CommandStatus_t* status)
{
    if (timeoutMillisec != nullptr) {
        *timeoutMillisec = 0;
    }
    if (status != nullptr) {
        *status = TarnLink::kTLSuccess;
    }
    const TarnDataCommandFormat* planned = CompilePlanned(state, packet);
    if (planned == nullptr) {
        return CompileWithChecks(state, packet, timeoutMillisec, status);
    }
    if (timeoutMillisec != nullptr) {
        *timeoutMillisec = planned->GetOverrideTimeoutMillisec();
    }
    return true;
}

// A marked, successful response, and how many parameter bytes it carries
// after its header; null for any other.
inline const unsigned char* SuccessfulPacket(const ByteCodeState& response, std::int64_t& available)
{
    const unsigned char* packet = response.buffer.get();
    if (!IsMarkedSuccessPacket(packet, response.length)) {
        return nullptr;
    }
    available = ResponsePayloadAvailable(packet, response.length);
    return available < 0 ? nullptr : packet;
}

// A successful response to a command laid out for a Tarn definition, in a
// library that is initialized and writes no trace: the status, and for a
// definition with fixed-size data whose values the response all carries, the
// values straight into the command's slots, as the Decompilation would set
// them. False for any other response or command, which the Decompilation
// handles with its messages; it clears the command first, so the values this
// path may have set by then do not count.
inline bool DecompilePlanned(CommandState& command, const ByteCodeState& response, bool lenient)
{
    const TarnDataCommandFormat* definition = command.LaidOutDataDefinition();
    if (definition == nullptr || !definition->IsTarnCommandFormat() || !IsLibraryInitialized() || IsCompileTrace()) {
        return false;
    }
    std::int64_t available = 0;
    const unsigned char* packet = SuccessfulPacket(response, available);
    if (packet == nullptr) {
        return false;
    }
    if (command.isSend && !lenient) {
        command.status = TarnLink::kTLSuccess; // a send's answer carries nothing to read
        return true;
    }
    const PacketPlan& plan = definition->Plan();
    if (available < plan.DecodedPayloadBytes()) {
        return false;
    }
    command.status = TarnLink::kTLSuccess;
    const PlannedInteger* integer = plan.Integers();
    return command.ReplaceLaidOutIntegers([packet, &integer] {
        const PlannedInteger& read = *integer++;
        return std::pair(read.type, ReadBigEndianInteger(packet + read.offset, read.width));
    });
}

// Decodes the response into the command, the way DecompileTarnByteCode does.
inline bool DecompileCommand(CommandState& command, const ByteCodeState& response, TarnLink::CommandStatus_t* status,
                             bool lenient)
{
    if (status != nullptr) {
        *status = TarnLink::kTLSuccess;
    }
    return DecompilePlanned(command, response, lenient) || DecompileWithChecks(command, response, status, lenient);
}

} // namespace TarnLinkPrivate

#endif
