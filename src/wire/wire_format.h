#ifndef TARNLINK_WIRE_WIRE_FORMAT_H
#define TARNLINK_WIRE_WIRE_FORMAT_H

// The packets on the wire: their sizes, the 8-byte Tarn header, the 36-byte
// Diag header and the status byte of responses. Every other file reads and
// writes packets through these names, so a change to the format is made here.
//
// A Tarn packet: two transport marks, a 16-bit big-endian length counting the
// bytes from offset 4 on, the command type byte (major in the top two bits,
// minor below), the function with the request-data bit, a reserved byte and
// the status byte; the parameters follow. A Diag packet starts with a 16-byte
// magic text, its opcode at offset 31 and its payload length at offset 32.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "tarnlink/TarnCommand.h"
#include "wire/big_endian.h"

namespace TarnLinkPrivate {

constexpr std::int32_t kMaxPacketTotalSize = 2048;
constexpr std::int32_t kTarnHeaderLength = 8;
constexpr std::int32_t kDiagHeaderLength = 36;
// Largest number of parameter bytes one packet of each kind carries.
constexpr std::int32_t kTarnPayloadLimit = kMaxPacketTotalSize - kTarnHeaderLength;
constexpr std::int32_t kDiagPayloadLimit = 2002;

constexpr unsigned char kTransportMark = 0x0B;
constexpr std::int32_t kTransportLengthBias = 4; // the length field counts the 4 bytes after it
constexpr std::int32_t kTypeByteOffset = 4;
constexpr std::int32_t kFunctionByteOffset = 5;
constexpr std::int32_t kReservedByteOffset = 6;
constexpr std::int32_t kTarnStatusOffset = 7;
constexpr std::int32_t kDiagOpcodeOffset = 31;
constexpr std::int32_t kDiagPayloadLengthOffset = 32;
constexpr unsigned char kRequestDataBit = 0x01; // in the function byte, below the function
// The text every Diag packet starts with (without its terminating NUL).
inline constexpr char kDiagMagic[] = "kell_diagnostics";
constexpr std::size_t kDiagMagicLength = sizeof(kDiagMagic) - 1;
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
    out[kTypeByteOffset] = static_cast<unsigned char>((header.major << kMajorShift) + header.minor);
    out[kFunctionByteOffset] =
        static_cast<unsigned char>(((header.function << 1) | (header.requestData ? kRequestDataBit : 0u)) & 0xFFu);
    out[kReservedByteOffset] = 0;
    out[kTarnStatusOffset] = 0;
    return true;
}

// The command header at offset 4 of a Tarn packet; never fails.
TarnCommandHeader ReadTarnCommandHeader(const unsigned char* packet);

// The 36-byte header of a Diag packet.
void WriteDiagPacketHeader(std::uint16_t opcode, std::int32_t payloadLength, unsigned char* out);

// A whole packet of kTarnHeaderLength bytes that carries only a status byte.
inline void WriteStatusPacket(unsigned char statusByte, unsigned char* out)
{
    std::memset(out, 0, static_cast<std::size_t>(kTarnHeaderLength));
    out[0] = kTransportMark;
    out[1] = kTransportMark;
    WriteBigEndian(static_cast<std::uint16_t>(kTransportLengthBias), 2, out + 2);
    out[kTarnStatusOffset] = statusByte;
}

// True when the packet starts with the two transport marks, compared as one
// two-byte word (the same in either byte order): every response is tested.
inline bool HasTransportMark(const unsigned char* packet)
{
    constexpr std::uint16_t kTwoMarks = kTransportMark * 0x0101u;
    std::uint16_t marks = 0;
    std::memcpy(&marks, packet, sizeof marks);
    return marks == kTwoMarks;
}

// True when a packet of length bytes is long enough for a Diag header and starts with its text.
inline bool HasDiagMagic(const unsigned char* packet, std::size_t length)
{
    return length >= static_cast<std::size_t>(kDiagHeaderLength) &&
           std::memcmp(packet, kDiagMagic, kDiagMagicLength) == 0;
}

// The big-endian length field of a Tarn packet.
inline std::int32_t TransportLengthField(const unsigned char* packet)
{
    return static_cast<std::int32_t>(ReadBigEndian(packet + 2, 2));
}

// The parameter bytes a Tarn response of length bytes (at least its header)
// really holds: what its length field promises, never more than follows the
// header. Negative when the length field cannot even count the header.
inline std::int64_t ResponsePayloadAvailable(const unsigned char* packet, std::size_t length)
{
    const std::int32_t lengthField = TransportLengthField(packet);
    if (lengthField < kTransportLengthBias) {
        return -1;
    }
    return std::min<std::int64_t>(lengthField - kTransportLengthBias,
                                  static_cast<std::int64_t>(length) - kTarnHeaderLength);
}

// True for a marked Tarn packet of length bytes whose status byte says success.
inline bool IsMarkedSuccessPacket(const unsigned char* packet, std::size_t length)
{
    return length >= static_cast<std::size_t>(kTarnHeaderLength) && HasTransportMark(packet) &&
           packet[kTarnStatusOffset] == kResponseSuccess;
}

// The status a response's status byte stands for; kTLFail for unknown bytes.
// Inline: every decompilation reads one.
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
