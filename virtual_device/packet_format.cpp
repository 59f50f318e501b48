#include "packet_format.h"

#include <algorithm>
#include <cstring>

namespace TarnLinkVirtual {
namespace {

constexpr char kDiagMagic[] = "kell_diagnostics";
constexpr std::size_t kDiagMagicLength = sizeof(kDiagMagic) - 1;
constexpr std::size_t kLengthFieldExtra = 4; // the length field counts the header bytes after it

void AppendTarnHeader(Bytes& out, const unsigned char* request, std::size_t payloadLength, unsigned char status)
{
    const std::size_t lengthField = payloadLength + kLengthFieldExtra;
    out.push_back(kTransportMark);
    out.push_back(kTransportMark);
    AppendBigEndian(out, lengthField, 2);
    out.push_back(request != nullptr ? request[kTypeByteOffset] : 0);
    out.push_back(request != nullptr ? request[kFunctionByteOffset] : 0);
    out.push_back(0);
    out.push_back(status);
}

} // namespace

std::uint64_t ReadBigEndian(const unsigned char* data, std::size_t width)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value = (value << 8) | data[i];
    }
    return value;
}

void AppendBigEndian(Bytes& out, std::uint64_t value, std::size_t width)
{
    for (std::size_t i = width; i > 0; --i) {
        out.push_back(static_cast<unsigned char>((value >> (8 * (i - 1))) & 0xFFu));
    }
}

bool HasDiagMagic(const unsigned char* packet, std::size_t length)
{
    return length >= kDiagHeaderLength && std::memcmp(packet, kDiagMagic, kDiagMagicLength) == 0;
}

Bytes StatusAnswer(const unsigned char* request, std::size_t length, unsigned char status)
{
    Bytes answer;
    answer.reserve(kTarnHeaderLength);
    AppendTarnHeader(answer, length > kFunctionByteOffset ? request : nullptr, 0, status);
    return answer;
}

Bytes DataAnswer(const unsigned char* request, const Bytes& payload)
{
    Bytes answer;
    answer.reserve(kTarnHeaderLength + payload.size());
    AppendTarnHeader(answer, request, payload.size(), kStatusSuccess);
    answer.insert(answer.end(), payload.begin(), payload.end());
    return answer;
}

Bytes DiagAnswer(const unsigned char* request)
{
    Bytes answer(request, request + kDiagHeaderLength);
    std::fill(answer.begin() + kDiagLengthOffset, answer.end(), 0);
    return answer;
}

} // namespace TarnLinkVirtual
