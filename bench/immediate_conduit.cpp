#include "immediate_conduit.h"

#include <cstddef>
#include <cstring>

#include "tarnlink/TarnCommandFactory.h"

namespace TarnLinkBench {

namespace {

// The answer repeats the request's transport and command header, with a
// length field that counts the header alone and a success status.
constexpr std::size_t kHeaderLength = 8;
constexpr std::size_t kLengthFieldLow = 3;
constexpr unsigned char kHeaderOnlyLength = 4;
constexpr std::size_t kStatusOffset = 7;

} // namespace

bool ImmediateConduit::Transmit(const char*, const TarnLink::TarnCommandByteCode& request,
                                TarnLink::TarnCommandByteCode* response, std::uint32_t)
{
    unsigned char* packet = nullptr;
    if (response == nullptr || !request.GetPacketByteCodeBuffer(&packet) ||
        request.ComputeTotalPacketByteCodeLength() < kHeaderLength) {
        return false;
    }
    unsigned char answer[kHeaderLength];
    std::memcpy(answer, packet, kHeaderLength);
    answer[kLengthFieldLow - 1] = 0;
    answer[kLengthFieldLow] = kHeaderOnlyLength;
    answer[kStatusOffset] = 0;
    return response->CopyByteCodePacketBuffer(answer, kHeaderLength);
}

InstalledConduit::InstalledConduit(TarnLink::TarnConduit& conduit, std::int32_t conduitId)
    : conduit_(conduit), conduitId_(conduitId)
{
    TarnLink::TarnCommandFactory::InstallTargetConduit(&conduit_, conduitId_);
}

InstalledConduit::~InstalledConduit() { TarnLink::TarnCommandFactory::RemoveTargetConduit(&conduit_, conduitId_); }

} // namespace TarnLinkBench
