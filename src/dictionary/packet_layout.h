#ifndef TARNLINK_DICTIONARY_PACKET_LAYOUT_H
#define TARNLINK_DICTIONARY_PACKET_LAYOUT_H

// Parameter offsets and packet sizes of a data-carrying definition.
//
// Only the last parameter of a definition may be BYTES, so every other
// parameter has the same offset in every packet of the command. The offsets
// are therefore computed once, at load, and a compilation only needs the
// length of the command's byte stream to know its packet sizes: nothing shared
// is written per compilation, and compilations may run on several threads.

#include <cstdint>
#include <vector>

#include "dictionary/command_format.h"
#include "wire/wire_format.h"

namespace TarnLinkPrivate {

constexpr std::int32_t kLayoutError = -1;
constexpr std::int32_t kLayoutTooLarge = -2;

// A parameter the layout or a compilation cannot place: absent from the
// command, or of no known size.
inline constexpr char kParameterNotFound[] = "\nParameter Not Found error - param name : ";
inline constexpr char kParameterSizeError[] = "\nParameter Size error - param name : ";

// What a command contributes to its layout: its direction and the length of
// its byte stream (negative when the command has no such parameter).
struct LayoutRequest {
    bool isSend = true;
    std::int64_t byteStreamLength = -1;
};

// The four packet sizes for a command of the definition (request: null lays
// the definition out without a command) and the size of its BYTES parameter.
// Gives the packet size of the command's direction (the send size without a
// command), kLayoutError or kLayoutTooLarge, with the messages of the layout.
std::int32_t ComputePacketSizes(const TarnDataCommandFormat& definition, const LayoutRequest* request,
                                PacketSizes& sizes);

// The sizes of a variable-length definition laid out at load with an empty
// byte stream, which ComputePacketSizes gives for every command whose packet
// carries none of the stream; null when that layout failed. It succeeded only
// if every parameter before the BYTES one has a valid size within the limit;
// a loaded definition's parameters do not change afterwards.
inline const PacketSizes* SizesWithEmptyByteStream(const TarnDataCommandFormat& definition)
{
    const ParameterDefinitions& parameters = definition.Parameters();
    const bool laidOut =
        definition.Sizes().sendSize > 0 && !parameters.empty() && parameters.back().type == ParamType::kBytes;
    return laidOut ? &definition.Sizes() : nullptr;
}

// Writes the layout fields of every parameter and the definition's sizes; the
// load-time step of a data-carrying definition.
bool PrecomputeLayout(TarnDataCommandFormat& definition);

} // namespace TarnLinkPrivate

#endif
