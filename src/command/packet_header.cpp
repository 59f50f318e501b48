// Writing and reading the fixed headers of packets.

#include "command/packet_header.h"

#include <algorithm>
#include <cstring>

#include "command/big_endian.h"

namespace TarnLinkPrivate {

namespace {
constexpr char kDiagMagic[] = "kell_diagnostics";
constexpr std::size_t kDiagMagicLength = sizeof(kDiagMagic) - 1;
constexpr std::int32_t kDiagHeaderBytes = 36;
constexpr unsigned char kMinorMask = 0x3F;

constexpr unsigned char kResponseSuccess = 0x00;
constexpr unsigned char kResponseFail = 0x01;
constexpr unsigned char kResponseNotSupported = 0x02;
constexpr unsigned char kResponseTransmitFailure = 0xF0;
constexpr unsigned char kResponseTimeOut = 0xFF;
} // namespace

TarnCommandHeader ReadTarnCommandHeader(const unsigned char* packet)
{
    TarnCommandHeader header;
    header.major = static_cast<std::uint32_t>(packet[4] >> kMajorShift);
    header.minor = static_cast<std::uint32_t>(packet[4] & kMinorMask);
    header.function = static_cast<std::uint32_t>(packet[5] >> 1);
    header.requestData = (packet[5] & 1u) != 0;
    return header;
}

void WriteDiagPacketHeader(std::uint16_t opcode, std::int32_t payloadLength, unsigned char* out)
{
    std::fill(out, out + kDiagHeaderBytes, static_cast<unsigned char>(0));
    std::memcpy(out, kDiagMagic, kDiagMagicLength);
    out[kDiagOpcodeOffset] = static_cast<unsigned char>(opcode & 0xFFu);
    WriteBigEndian(static_cast<std::uint16_t>(payloadLength), 2, out + kDiagPayloadLengthOffset);
}

bool HasTransportMark(const unsigned char* packet) { return packet[0] == kTransportMark && packet[1] == kTransportMark; }

std::int32_t TransportLengthField(const unsigned char* packet)
{
    return static_cast<std::int32_t>(ReadBigEndian(packet + 2, 2));
}

TarnLink::CommandStatus_t StatusFromResponseByte(unsigned char code)
{
    switch (code) {
    case kResponseSuccess:
        return TarnLink::kTLSuccess;
    case kResponseFail:
        return TarnLink::kTLFail;
    case kResponseNotSupported:
        return TarnLink::kTLNotSupported;
    case kResponseTransmitFailure:
        return TarnLink::kTLTransmitFailure;
    case kResponseTimeOut:
        return TarnLink::kTLTimeOut;
    default:
        return TarnLink::kTLFail;
    }
}

} // namespace TarnLinkPrivate
