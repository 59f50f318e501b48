// Writing and reading the fixed headers of packets.

#include "wire/wire_format.h"

#include <algorithm>
#include <cstring>

namespace TarnLinkPrivate {

namespace {
constexpr unsigned char kMinorMask = 0x3F;
} // namespace

TarnCommandHeader ReadTarnCommandHeader(const unsigned char* packet)
{
    TarnCommandHeader header;
    header.major = static_cast<std::uint32_t>(packet[kTypeByteOffset] >> kMajorShift);
    header.minor = static_cast<std::uint32_t>(packet[kTypeByteOffset] & kMinorMask);
    header.function = static_cast<std::uint32_t>(packet[kFunctionByteOffset] >> 1);
    header.requestData = (packet[kFunctionByteOffset] & kRequestDataBit) != 0;
    return header;
}

void WriteDiagPacketHeader(std::uint16_t opcode, std::int32_t payloadLength, unsigned char* out)
{
    std::fill(out, out + kDiagHeaderLength, static_cast<unsigned char>(0));
    std::memcpy(out, kDiagMagic, kDiagMagicLength);
    out[kDiagOpcodeOffset] = static_cast<unsigned char>(opcode & 0xFFu);
    WriteBigEndian(static_cast<std::uint16_t>(payloadLength), 2, out + kDiagPayloadLengthOffset);
}

} // namespace TarnLinkPrivate
