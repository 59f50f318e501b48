#ifndef TARNLINK_COMMAND_STORED_VALUE_H
#define TARNLINK_COMMAND_STORED_VALUE_H

// Dispatch on the type a command parameter holds, for the text forms of a
// command.

#include <cstdint>
#include <string>
#include <vector>

#include "command/parameter_value.h"
#include "dictionary/parameter_type.h"

namespace TarnLinkPrivate {

// Stands for an empty value.
struct UnknownStoredValue {};
// What the dump and the parsable text write for it.
inline constexpr char kUnknownStoredValueText[] = "Unknown stored variant type - error.";

// Calls visit with the held value for the integer types of the table (as
// the C++ type), a byte stream (std::vector<char>) and a symbol
// (std::string), or with UnknownStoredValue.
template <class Visitor>
void VisitStoredValue(const ParameterValue& value, Visitor&& visit)
{
    if (const std::vector<char>* bytes = value.Bytes()) {
        visit(*bytes);
        return;
    }
    if (const std::string* symbol = value.Symbol()) {
        visit(*symbol);
        return;
    }
    const bool integer = VisitIntegerType(value.Type(), [&](auto zero) {
        visit(value.GetInteger<decltype(zero)>());
        return true;
    });
    if (!integer) {
        visit(UnknownStoredValue{});
    }
}

// The two 32-bit halves in which 64-bit values are written as text.
inline std::int32_t HighHalf(std::int64_t value) { return static_cast<std::int32_t>(value >> 32); }
inline std::uint32_t HighHalf(std::uint64_t value) { return static_cast<std::uint32_t>(value >> 32); }
template <class T>
std::uint32_t LowHalf(T value)
{
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(value) & 0xFFFFFFFFu);
}

} // namespace TarnLinkPrivate

#endif
