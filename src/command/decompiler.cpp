// Decoding a response packet into the command's status and parameters: the
// planned path for the responses a host gets again and again, the full
// decompilation for every other.

#include <algorithm>

#include "command/byte_code_state.h"
#include "command/command_state.h"
#include "command/compiler.h"
#include "command/full_decompilation.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/library_state.h"
#include "wire/big_endian.h"
#include "wire/wire_format.h"

namespace TarnLinkPrivate {

using TarnLink::CommandStatus_t;
using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;

namespace {
// The parameter bytes of a marked, successful response; null for any other.
const unsigned char* SuccessfulPayload(const ByteCodeState& response, std::int64_t& available)
{
    const unsigned char* packet = response.buffer.get();
    if (!IsMarkedSuccessPacket(packet, response.length)) {
        return nullptr;
    }
    const std::int32_t lengthField = TransportLengthField(packet);
    if (lengthField < kTransportLengthBias) {
        return nullptr;
    }
    available = std::min<std::int64_t>(lengthField - kTransportLengthBias,
                                       static_cast<std::int64_t>(response.length) - kTarnHeaderLength);
    return packet + kTarnHeaderLength;
}

// A successful response carrying every value of a command laid out for a Tarn
// definition with fixed-size data, in a library that is initialized and
// writes no trace: the status and the values straight into the command's
// slots, as the Decompilation would set them. False, the command untouched,
// for any other response, which the Decompilation handles with its messages.
bool DecompilePlanned(CommandState& command, const CommandFormat* found, const ByteCodeState& response, bool lenient)
{
    if (found == nullptr || !found->IsTarnCommandFormat() || !command.IsLaidOutFor(*found) ||
        (command.isSend && !lenient) || !IsLibraryInitialized() || IsCompileTrace()) {
        return false;
    }
    const PacketPlan& plan = static_cast<const TarnDataCommandFormat*>(found)->Plan();
    const FixedPacket* send = plan.Fixed(true); // a response carries what a send packet does
    std::int64_t available = 0;
    const unsigned char* payload = SuccessfulPayload(response, available);
    if (send == nullptr || payload == nullptr || available < send->valuesEnd - send->headerLength) {
        return false;
    }
    command.status = TarnLink::kTLSuccess;
    const unsigned char* packet = payload - send->headerLength;
    const PlannedInteger* integers = plan.Integers().data();
    command.ReplaceLaidOutValues([packet, integers](std::size_t index, ParameterValue& value) {
        const PlannedInteger& integer = integers[index];
        value.SetRawInteger(integer.type, ReadBigEndianInteger(packet + integer.offset, integer.width));
    });
    return true;
}
} // namespace

bool DecompileTarnByteCode(TarnCommand& command, const TarnCommandByteCode& byteCode, CommandStatus_t* status,
                           bool lenient)
{
    if (status != nullptr) {
        *status = TarnLink::kTLSuccess;
    }
    CommandState& state = StateOf(command);
    const CommandFormat* definition = state.Definition();
    const ByteCodeState& response = StateOf(byteCode);
    return DecompilePlanned(state, definition, response, lenient) ||
           DecompileWithChecks(state, definition, response, status, lenient);
}

} // namespace TarnLinkPrivate
