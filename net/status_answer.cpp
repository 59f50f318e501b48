#include "status_answer.h"

#include "wire/wire_format.h"

namespace TarnLinkNet {

Bytes TransmitFailureAnswer()
{
    Bytes answer(static_cast<std::size_t>(TarnLinkPrivate::kTarnHeaderLength));
    TarnLinkPrivate::WriteStatusPacket(TarnLinkPrivate::kResponseTransmitFailure, answer.data());
    return answer;
}

void SetTransmitFailure(TarnLink::TarnCommandByteCode& response)
{
    const Bytes answer = TransmitFailureAnswer();
    response.Clear();
    response.CopyByteCodePacketBuffer(answer.data(), answer.size());
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
