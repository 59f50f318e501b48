#ifndef TARNLINK_VIRTUAL_PACKET_FORMAT_H
#define TARNLINK_VIRTUAL_PACKET_FORMAT_H

// The device answers in the library's wire format, which wire/wire_format.h
// owns; here are its facts in the types the device computes with, and the
// answers the device builds from them.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "wire/big_endian.h"
#include "wire/wire_format.h"

namespace TarnLinkVirtual {

using Bytes = std::vector<unsigned char>;

namespace Wire = TarnLinkPrivate;

constexpr unsigned char kTransportMark = Wire::kTransportMark;
constexpr std::size_t kTransportLengthBias = Wire::kTransportLengthBias;
constexpr std::size_t kTarnHeaderLength = Wire::kTarnHeaderLength;
constexpr std::size_t kDiagHeaderLength = Wire::kDiagHeaderLength;
constexpr std::size_t kMaxPacketLength = Wire::kMaxPacketTotalSize;
constexpr std::size_t kMaxPayload = Wire::kTarnPayloadLimit;
constexpr std::size_t kTypeByteOffset = Wire::kTypeByteOffset;
constexpr std::size_t kFunctionByteOffset = Wire::kFunctionByteOffset;
constexpr std::size_t kDiagOpcodeOffset = Wire::kDiagOpcodeOffset;
constexpr std::size_t kDiagLengthOffset = Wire::kDiagPayloadLengthOffset;
constexpr unsigned char kRequestDataBit = Wire::kRequestDataBit;

constexpr unsigned char kStatusSuccess = Wire::kResponseSuccess;
constexpr unsigned char kStatusFail = Wire::kResponseFail;
constexpr unsigned char kStatusNotSupported = Wire::kResponseNotSupported;
constexpr unsigned char kStatusTransmitFailure = Wire::kResponseTransmitFailure;
constexpr unsigned char kStatusTimeOut = Wire::kResponseTimeOut;

using Wire::HasDiagMagic;
using Wire::ReadBigEndian;

void AppendBigEndian(Bytes& out, std::uint64_t value, std::size_t width);

// An 8-byte answer carrying only a status, with the request's command header
// when the request has one.
Bytes StatusAnswer(const unsigned char* request, std::size_t length, unsigned char status);
// A success answer with the request's command header and the given payload.
Bytes DataAnswer(const unsigned char* request, const Bytes& payload);
// A Diag answer: the request's 36-byte header with an empty payload.
Bytes DiagAnswer(const unsigned char* request);

} // namespace TarnLinkVirtual

#endif
