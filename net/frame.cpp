#include "frame.h"

#include "tarnlink/TarnNetwork.h"

namespace TarnLinkNet {

FrameHeader EncodeFrameHeader(std::uint32_t packetLength)
{
    FrameHeader header{};
    for (std::size_t i = 0; i < kFrameHeaderLength; ++i) {
        header[i] = static_cast<unsigned char>((packetLength >> (8 * (kFrameHeaderLength - 1 - i))) & 0xFFu);
    }
    return header;
}

std::uint32_t DecodeFrameHeader(const FrameHeader& header)
{
    std::uint32_t length = 0;
    for (unsigned char byte : header) {
        length = (length << 8) | byte;
    }
    return length;
}

bool IsValidFrameLength(std::uint64_t packetLength)
{
    return packetLength > 0 && packetLength <= TarnLink::Net::kMaxFrameLength;
}

std::string DescribeBadFrameLength(std::uint64_t packetLength)
{
    return "a frame of length " + std::to_string(packetLength) + " (a frame carries 1 to " +
           std::to_string(TarnLink::Net::kMaxFrameLength) + " bytes)";
}

} // namespace TarnLinkNet
