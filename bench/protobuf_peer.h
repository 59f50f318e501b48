#ifndef TARNLINK_BENCH_PROTOBUF_PEER_H
#define TARNLINK_BENCH_PROTOBUF_PEER_H

// The general-purpose peer for messages defined at run time: a protobuf
// descriptor of the AudioHostChanMute command built while the program runs,
// with dynamic messages whose fields are set and read by name.

#include <cstddef>
#include <cstdint>
#include <memory>

#include <google/protobuf/descriptor.h>
#include <google/protobuf/dynamic_message.h>

namespace TarnLinkBench {

class ProtobufMuteMessage {
public:
    ProtobufMuteMessage();

    // Looks the message type up by name, makes a new message, sets both fields
    // by name and serializes it; the bytes written.
    std::size_t BuildAndSerialize(std::uint32_t hostChannel, std::uint32_t mute, unsigned char* out,
                                  std::size_t capacity);
    // Parses into the reused message and reads both fields by name; false when
    // the bytes do not parse.
    bool ParseAndRead(const unsigned char* bytes, std::size_t length, std::uint32_t& hostChannel, std::uint32_t& mute);

private:
    google::protobuf::DescriptorPool pool_;
    std::unique_ptr<google::protobuf::DynamicMessageFactory> factory_;
    std::unique_ptr<google::protobuf::Message> parsed_;
};

} // namespace TarnLinkBench

#endif
