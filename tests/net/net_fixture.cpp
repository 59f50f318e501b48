#include "net_fixture.h"

namespace NetTests {

Answer Exchange(TarnLink::TarnConduit& conduit, const Bytes& packet, std::uint32_t timeoutMillisec)
{
    TarnLink::TarnCommandByteCode request;
    request.CopyByteCodePacketBuffer(packet.data(), packet.size());
    TarnLink::TarnCommandByteCode response;
    Answer answer;
    answer.transmitted = conduit.Transmit("", request, &response, timeoutMillisec);
    unsigned char* buffer = nullptr;
    std::size_t length = 0;
    if (response.GetPacketByteCodeBuffer(&buffer) && response.GetPacketByteCodeBufferLength(&length)) {
        answer.packet.assign(buffer, buffer + length);
    }
    answer.status = response.ExtractStatus();
    return answer;
}

} // namespace NetTests
