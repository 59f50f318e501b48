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


} // namespace TarnLinkPrivate
