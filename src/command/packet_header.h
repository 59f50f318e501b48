#ifndef TARNLINK_COMMAND_PACKET_HEADER_H
#define TARNLINK_COMMAND_PACKET_HEADER_H

// The headers of Tarn and Diag packets and the status byte of responses.

#include <cstdint>

#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

constexpr unsigned char kTransportMark = 0x0B;
constexpr std::int32_t kTransportLengthBias = 4; // the length field counts the 4 bytes after it
constexpr std::int32_t kTarnStatusOffset = 7;
constexpr std::int32_t kDiagOpcodeOffset = 31;
constexpr std::int32_t kDiagPayloadLengthOffset = 32;

struct TarnCommandHeader {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t function = 0;
    bool requestData = false;
};

// The 8-byte header of a Tarn packet carrying payloadLength parameter bytes.
// False, with out untouched, when major or minor is out of range.
bool WriteTarnPacketHeader(const TarnCommandHeader& header, std::int32_t payloadLength, unsigned char* out);

// The command header at offset 4 of a Tarn packet; never fails.
TarnCommandHeader ReadTarnCommandHeader(const unsigned char* packet);

// The 36-byte header of a Diag packet.
void WriteDiagPacketHeader(std::uint16_t opcode, std::int32_t payloadLength, unsigned char* out);

// True when the packet starts with the two transport marks.
bool HasTransportMark(const unsigned char* packet);

// The big-endian length field of a Tarn packet.
std::int32_t TransportLengthField(const unsigned char* packet);

// The status a response's status byte stands for.
TarnLink::CommandStatus_t StatusFromResponseByte(unsigned char code);

} // namespace TarnLinkPrivate

#endif
