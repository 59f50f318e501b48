#include "status_answer.h"

namespace TarnLinkNet {
namespace {

// Transport mark, length field 4, no command header, then the status byte.
constexpr unsigned char kTransmitFailureAnswer[] = {0x0B, 0x0B, 0x00, 0x04, 0x00, 0x00, 0x00, 0xF0};

} // namespace

Bytes TransmitFailureAnswer() { return Bytes(std::begin(kTransmitFailureAnswer), std::end(kTransmitFailureAnswer)); }

void SetTransmitFailure(TarnLink::TarnCommandByteCode& response)
{
    response.Clear();
    response.CopyByteCodePacketBuffer(kTransmitFailureAnswer, sizeof(kTransmitFailureAnswer));
}

Bytes PacketBytes(const TarnLink::TarnCommandByteCode& byteCode)
{
    unsigned char* buffer = nullptr;
    std::size_t length = 0;
    if (!byteCode.GetPacketByteCodeBuffer(&buffer) || !byteCode.GetPacketByteCodeBufferLength(&length)) {
        return Bytes();
    }
    return Bytes(buffer, buffer + length);
}

} // namespace TarnLinkNet
