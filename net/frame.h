#ifndef TARNLINK_NET_FRAME_H
#define TARNLINK_NET_FRAME_H

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace TarnLinkNet {

using Bytes = std::vector<unsigned char>;

// A frame on the socket: this header, the packet's length as a 4-byte
// big-endian number, then the packet itself.
constexpr std::size_t kFrameHeaderLength = 4;
using FrameHeader = std::array<unsigned char, kFrameHeaderLength>;

FrameHeader EncodeFrameHeader(std::uint32_t packetLength);
std::uint32_t DecodeFrameHeader(const FrameHeader& header);
// A frame carries 1 to kMaxFrameLength bytes; any other length is a protocol error.
bool IsValidFrameLength(std::uint64_t packetLength);
// Says what is wrong with a length that is not valid.
std::string DescribeBadFrameLength(std::uint64_t packetLength);

} // namespace TarnLinkNet

#endif
