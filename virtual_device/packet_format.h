#ifndef TARNLINK_VIRTUAL_PACKET_FORMAT_H
#define TARNLINK_VIRTUAL_PACKET_FORMAT_H

#include <cstddef>
#include <cstdint>
#include <vector>

namespace TarnLinkVirtual {

using Bytes = std::vector<unsigned char>;

constexpr unsigned char kTransportMark = 0x0B;
constexpr std::size_t kTarnHeaderLength = 8;
constexpr std::size_t kDiagHeaderLength = 36;
constexpr std::size_t kMaxPayload = 2040;
constexpr std::size_t kTypeByteOffset = 4;
constexpr std::size_t kFunctionByteOffset = 5;
constexpr std::size_t kStatusOffset = 7;
constexpr std::size_t kDiagOpcodeOffset = 31;
constexpr std::size_t kDiagLengthOffset = 32;
constexpr unsigned char kRequestDataBit = 0x01;

constexpr unsigned char kStatusSuccess = 0x00;
constexpr unsigned char kStatusFail = 0x01;
constexpr unsigned char kStatusNotSupported = 0x02;
constexpr unsigned char kStatusTransmitFailure = 0xF0;
constexpr unsigned char kStatusTimeOut = 0xFF;

std::uint64_t ReadBigEndian(const unsigned char* data, std::size_t width);
void AppendBigEndian(Bytes& out, std::uint64_t value, std::size_t width);

bool HasDiagMagic(const unsigned char* packet, std::size_t length);

// An 8-byte answer carrying only a status, with the request's command header
// when the request has one.
Bytes StatusAnswer(const unsigned char* request, std::size_t length, unsigned char status);
// A success answer with the request's command header and the given payload.
Bytes DataAnswer(const unsigned char* request, const Bytes& payload);
// A Diag answer: the request's 36-byte header with an empty payload.
Bytes DiagAnswer(const unsigned char* request);

} // namespace TarnLinkVirtual

#endif
