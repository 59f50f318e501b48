// Compiling a command into the one packet of its byte-code
// (command_codec.h), and the packet of a send command that ends in a byte stream.

#include "command/compiler.h"

#include <cstring>

#include "command/command_codec.h"
#include "dictionary/packet_layout.h"

namespace TarnLinkPrivate {

using TarnLink::CommandStatus_t;
using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;

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
    const ParameterDefinitions& parameters = definition.Parameters();
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

bool CompileTarnByteCode(const TarnCommand& command, TarnCommandByteCode& byteCode, std::uint32_t* timeoutMillisec,
                         CommandStatus_t* status)
{
    return CompileCommand(StateOf(command), StateOf(byteCode), timeoutMillisec, status);
}

} // namespace TarnLinkPrivate
