#ifndef TARNLINK_COMMAND_PARAMETER_CODEC_H
#define TARNLINK_COMMAND_PARAMETER_CODEC_H

// One parameter value between a command and the big-endian bytes of a packet.

#include <cstdint>

#include "command/command_state.h"
#include "command/parameter_value.h"
#include "dictionary/command_format.h"
#include "dictionary/packet_layout.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

// Bytes the command's value of the parameter takes: the type's size, or the
// length of its byte stream; -1 when a byte stream is not set.
std::int32_t ParameterValueSize(const ParameterDefinition& parameter, const TarnLink::TarnCommand& command);

// Writes the command's value of the parameter, size bytes, to out. False when
// the value is not set, size does not match it, or the type is unknown.
bool EncodeParameter(const ParameterDefinition& parameter, const TarnLink::TarnCommand& command, std::int32_t size,
                     unsigned char* out);

// The value alone, untraced, and with the compile trace's lines around it.
bool EncodeValue(ParamType type, const ParameterValue* stored, std::int32_t size, unsigned char* out);
bool EncodeTraced(const ParameterDefinition& parameter, const ParameterValue* stored, std::int32_t size,
                  unsigned char* out);

// The same as EncodeParameter from the command's stored value of the
// parameter (null when unset), tracing when trace is set.
inline bool EncodeParameter(const ParameterDefinition& parameter, const ParameterValue* stored, std::int32_t size,
                            unsigned char* out, bool trace)
{
    if (size < 1 || out == nullptr) {
        return false;
    }
    return trace ? EncodeTraced(parameter, stored, size, out) : EncodeValue(parameter.type, stored, size, out);
}

// The command's stored value of the parameter, found by the definition's name
// without measuring it again; null when unset.
inline const ParameterValue* StoredValue(const ParameterDefinition& parameter, const TarnLink::TarnCommand& command)
{
    return StateOf(command).Find(parameter.name.data(), parameter.name.size());
}

// Length of a stored byte stream; -1 when unset or a symbol. Another stored
// type throws bad_variant_cast, as the byte-stream getters do.
std::int32_t StoredByteStreamLength(const ParameterValue* stored);

// Reads the parameter from at most available bytes into the command, or
// into one value of it; the number of bytes consumed, 0 on failure (and for
// an empty byte stream), the value then left as it was.
std::int32_t DecodeParameter(const ParameterDefinition& parameter, const unsigned char* bytes, std::int64_t available,
                             TarnLink::TarnCommand& command);
std::int32_t DecodeParameter(const ParameterDefinition& parameter, const unsigned char* bytes, std::int64_t available,
                             ParameterValue& value);

// Sum of the parameter data of the command under the definition (byte
// streams count for send commands and request-data parameters); 0 on error.
std::uint32_t TotalParameterDataSize(const TarnLink::TarnCommand& command, const CommandFormat& definition);

// The BYTES parameter of a definition (only the last one may be one), or null.
inline const ParameterDefinition* FindVariableLengthParameter(const CommandFormat& definition)
{
    const auto& parameters = definition.Parameters();
    return !parameters.empty() && parameters.back().type == ParamType::kBytes ? &parameters.back() : nullptr;
}

// What the command contributes to the layout of the definition: its
// direction and, where the packet carries it, the length of its byte stream.
LayoutRequest LayoutRequestFor(const TarnLink::TarnCommand& command, const CommandFormat& definition);

} // namespace TarnLinkPrivate

#endif
