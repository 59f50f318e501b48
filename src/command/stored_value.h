#ifndef TARNLINK_COMMAND_STORED_VALUE_H
#define TARNLINK_COMMAND_STORED_VALUE_H

// Dispatch on the type a command parameter holds, for the text forms of a
// command.

#include <cstdint>
#include <string>
#include <vector>

#include "dictionary/parameter_type.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

// Stands for an empty value or one of a type a command parameter never holds.
struct UnknownStoredValue {};

// Calls visit with the held value (as const T&) for the parameter types of
// the table and a symbol (std::string), or with UnknownStoredValue.
template <class Visitor>
void VisitStoredValue(const TarnLink::VariantImpl::Variant& value, Visitor&& visit)
{
    using TarnLink::VariantImpl::variant_cast;
#define TARNLINK_INTEGER_TYPE(Id, keyword, size, CppType, dumpName) \
    if (const auto* held = variant_cast<CppType>(&value)) {         \
        visit(*held);                                               \
        return;                                                     \
    }
#define TARNLINK_BYTES_TYPE(Id, keyword, CppType, dumpName) TARNLINK_INTEGER_TYPE(Id, keyword, 0, CppType, dumpName)
#include "dictionary/parameter_type_table.h"
    if (const auto* symbol = variant_cast<std::string>(&value)) {
        visit(*symbol);
        return;
    }
    visit(UnknownStoredValue{});
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
