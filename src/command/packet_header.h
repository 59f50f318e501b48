#ifndef TARNLINK_COMMAND_PACKET_HEADER_H
#define TARNLINK_COMMAND_PACKET_HEADER_H

// The headers of Tarn and Diag packets and the status byte of responses.

#include <cstdint>

#include "command/big_endian.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

constexpr unsigned char kTransportMark = 0x0B;
constexpr std::int32_t kTransportLengthBias = 4; // the length field counts the 4 bytes after it
constexpr std::int32_t kTarnStatusOffset = 7;
constexpr std::int32_t kDiagOpcodeOffset = 31;
constexpr std::int32_t kDiagPayloadLengthOffset = 32;
constexpr std::uint32_t kLargestMajor = 3;
constexpr std::uint32_t kLargestMinor = 63;
constexpr unsigned kMajorShift = 6;

constexpr unsigned char kResponseSuccess = 0x00;
constexpr unsigned char kResponseFail = 0x01;
constexpr unsigned char kResponseNotSupported = 0x02;
constexpr unsigned char kResponseTransmitFailure = 0xF0;
constexpr unsigned char kResponseTimeOut = 0xFF;

struct TarnCommandHeader {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t function = 0;
    bool requestData = false;
};

// The 8-byte header of a Tarn packet carrying payloadLength parameter bytes.
// False, with out untouched, when major or minor is out of range.
inline bool WriteTarnPacketHeader(const TarnCommandHeader& header, std::int32_t payloadLength, unsigned char* out)
{
    if (header.major > kLargestMajor || header.minor > kLargestMinor) {
        return false;
    }
    out[0] = kTransportMark;
    out[1] = kTransportMark;
    // The field is 16 bits wide; payloads are bounded far below that.
    WriteBigEndian(static_cast<std::uint16_t>(payloadLength + kTransportLengthBias), 2, out + 2);
    out[4] = static_cast<unsigned char>((header.major << kMajorShift) + header.minor);
    out[5] = static_cast<unsigned char>(((header.function << 1) | (header.requestData ? 1u : 0u)) & 0xFFu);
    out[6] = 0;
    out[kTarnStatusOffset] = 0;
    return true;
}

// The command header at offset 4 of a Tarn packet; never fails.
TarnCommandHeader ReadTarnCommandHeader(const unsigned char* packet);

// The 36-byte header of a Diag packet.
void WriteDiagPacketHeader(std::uint16_t opcode, std::int32_t payloadLength, unsigned char* out);

// True when the packet starts with the two transport marks.
inline bool HasTransportMark(const unsigned char* packet)
{
    return packet[0] == kTransportMark && packet[1] == kTransportMark;
}

// The big-endian length field of a Tarn packet.
inline std::int32_t TransportLengthField(const unsigned char* packet)
{
    return static_cast<std::int32_t>(ReadBigEndian(packet + 2, 2));
}

// The status a response's status byte stands for.
inline TarnLink::CommandStatus_t StatusFromResponseByte(unsigned char code)
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

#endif
