#ifndef TARNLINK_COMMAND_STORED_VALUE_H
#define TARNLINK_COMMAND_STORED_VALUE_H

// Dispatch on the type a command parameter holds, for the text forms of a
// command.

#include <cstdint>
#include <string>
#include <vector>

#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

// Stands for an empty value or one of a type a command parameter never holds.
struct UnknownStoredValue {};

// Calls visit with the held value (as const T&) for the ten parameter value
// types, or with UnknownStoredValue.
template <class Visitor>
void VisitStoredValue(const TarnLink::VariantImpl::Variant& value, Visitor&& visit)
{
    using TarnLink::VariantImpl::variant_cast;
    if (const auto* held = variant_cast<signed char>(&value)) {
        visit(*held);
    } else if (const auto* u8 = variant_cast<unsigned char>(&value)) {
        visit(*u8);
    } else if (const auto* i16 = variant_cast<short>(&value)) {
        visit(*i16);
    } else if (const auto* u16 = variant_cast<unsigned short>(&value)) {
        visit(*u16);
    } else if (const auto* i32 = variant_cast<std::int32_t>(&value)) {
        visit(*i32);
    } else if (const auto* u32 = variant_cast<std::uint32_t>(&value)) {
        visit(*u32);
    } else if (const auto* i64 = variant_cast<std::int64_t>(&value)) {
        visit(*i64);
    } else if (const auto* u64 = variant_cast<std::uint64_t>(&value)) {
        visit(*u64);
    } else if (const auto* bytes = variant_cast<std::vector<char>>(&value)) {
        visit(*bytes);
    } else if (const auto* symbol = variant_cast<std::string>(&value)) {
        visit(*symbol);
    } else {
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
