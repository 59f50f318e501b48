#include "plain_buffer_codec.h"

namespace TarnLinkBench {

namespace {

constexpr unsigned char kTransportMark = 0x0B;
constexpr std::size_t kHeaderLength = 8;
constexpr unsigned kLengthOfHeaderAlone = 4;

} // namespace

std::size_t EncodeMuteSend(const MuteValues& values, unsigned char* out)
{
    out[0] = kTransportMark;
    out[1] = kTransportMark;
    out[2] = 0x00;
    out[3] = 0x06;
    out[4] = 0x40;
    out[5] = 0x2E;
    out[6] = 0x00;
    out[7] = 0x00;
    out[8] = values.hostChannel;
    out[9] = values.mute;
    return kMuteSendPacketLength;
}

bool DecodeMuteResponse(const unsigned char* packet, std::size_t length, MuteValues& values, std::uint8_t& status)
{
    if (length < kHeaderLength || packet[0] != kTransportMark || packet[1] != kTransportMark) {
        return false;
    }
    const unsigned lengthField = (static_cast<unsigned>(packet[2]) << 8) | packet[3];
    if (lengthField < kLengthOfHeaderAlone) {
        return false;
    }
    status = packet[7];
    const std::size_t payload = lengthField - kLengthOfHeaderAlone;
    if (payload < 2 || length < kHeaderLength + 2) {
        return false;
    }
    values.hostChannel = packet[8];
    values.mute = packet[9];
    return true;
}

} // namespace TarnLinkBench
