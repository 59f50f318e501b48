#include "packet_format.h"

#include <algorithm>
#include <cstring>

namespace TarnLinkVirtual {
namespace {

void AppendTarnHeader(Bytes& out, const unsigned char* request, std::size_t payloadLength, unsigned char status)
{
    const std::size_t lengthField = payloadLength + kTransportLengthBias;
    out.push_back(kTransportMark);
    out.push_back(kTransportMark);
    AppendBigEndian(out, lengthField, 2);
    out.push_back(request != nullptr ? request[kTypeByteOffset] : 0);
    out.push_back(request != nullptr ? request[kFunctionByteOffset] : 0);
    out.push_back(0);
    out.push_back(status);
}

} // namespace

void AppendBigEndian(Bytes& out, std::uint64_t value, std::size_t width)
{
    out.resize(out.size() + width);
    Wire::WriteBigEndian(value, width, out.data() + out.size() - width);
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
