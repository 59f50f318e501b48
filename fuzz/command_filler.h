#ifndef TARNLINK_FUZZ_COMMAND_FILLER_H
#define TARNLINK_FUZZ_COMMAND_FILLER_H

// Gives a command a value for every parameter its definition lists, each of
// the definition's type, taken from the fuzzer's bytes.

#include <cstdint>
#include <string>

#include "fuzz_input.h"
#include "tarnlink/TarnCommand.h"
#include "tarnlink/TarnDictionary.h"

// Byte streams run from 1 byte to beyond what one packet holds, so that the
// packet size limit is met from both sides.
constexpr std::size_t kLongestFilledByteStream = 4200;

inline std::string FilledByteStream(FuzzInput& input)
{
    const std::size_t length = input.Integer<std::uint16_t>() % kLongestFilledByteStream + 1;
    std::string bytes = input.Bytes(length);
    bytes.resize(length, static_cast<char>(length));
    return bytes;
}

inline void SetParameterFromInput(TarnLink::TarnCommand& command, const TarnLink::ParameterInfo& parameter,
                                  FuzzInput& input)
{
    const char* name = parameter.name.c_str();
    const std::string& type = parameter.typeName;
    if (type == "INT8") {
        command.SetParamInt8(name, input.Integer<signed char>());
    } else if (type == "UINT8") {
        command.SetParamUInt8(name, input.Integer<unsigned char>());
    } else if (type == "INT16") {
        command.SetParamInt16(name, input.Integer<short>());
    } else if (type == "UINT16") {
        command.SetParamUInt16(name, input.Integer<unsigned short>());
    } else if (type == "INT32") {
        command.SetParamInt32(name, input.Integer<std::int32_t>());
    } else if (type == "UINT32") {
        command.SetParamUInt32(name, input.Integer<std::uint32_t>());
    } else if (type == "INT64") {
        command.SetParamInt64(name, input.Integer<std::int64_t>());
    } else if (type == "UINT64") {
        command.SetParamUInt64(name, input.Integer<std::uint64_t>());
    } else if (type == "BYTES") {
        const std::string bytes = FilledByteStream(input);
        command.SetParamByteStream(name, bytes.data(), bytes.size());
    }
}

inline void SetEveryParameter(TarnLink::TarnCommand& command, const TarnLink::CommandInfo& definition, FuzzInput& input)
{
    for (const TarnLink::ParameterInfo& parameter : definition.parameters) {
        SetParameterFromInput(command, parameter, input);
    }
}

#endif
