#ifndef TARNLINK_BENCH_PLAIN_BUFFER_CODEC_H
#define TARNLINK_BENCH_PLAIN_BUFFER_CODEC_H

// What a host would write by hand for one command it knows at compile time:
// the AudioHostChanMute packets encoded into and decoded from a plain buffer,
// every header byte written out. It is the physical limit the dictionary-driven
// path is measured against.

#include <cstddef>
#include <cstdint>

namespace TarnLinkBench {

struct MuteValues {
    std::uint8_t hostChannel = 0;
    std::uint8_t mute = 0;
};

constexpr std::size_t kMuteSendPacketLength = 10;

// Writes the send packet into out (room for kMuteSendPacketLength bytes).
std::size_t EncodeMuteSend(const MuteValues& values, unsigned char* out);

// Reads the answer to a request-data packet: the transport checks, the status
// and both values. False for a malformed packet or one without the values.
bool DecodeMuteResponse(const unsigned char* packet, std::size_t length, MuteValues& values, std::uint8_t& status);

} // namespace TarnLinkBench

#endif
