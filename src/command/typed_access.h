#ifndef TARNLINK_COMMAND_TYPED_ACCESS_H
#define TARNLINK_COMMAND_TYPED_ACCESS_H

// The command's setter of exactly one integer type, chosen by the C++ type,
// and a dispatch from a definition's parameter type to that C++ type.

#include "dictionary/command_format.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

inline void SetTyped(TarnLink::TarnCommand& c, const char* n, signed char v) { c.SetParamInt8(n, v); }
inline void SetTyped(TarnLink::TarnCommand& c, const char* n, unsigned char v) { c.SetParamUInt8(n, v); }
inline void SetTyped(TarnLink::TarnCommand& c, const char* n, short v) { c.SetParamInt16(n, v); }
inline void SetTyped(TarnLink::TarnCommand& c, const char* n, unsigned short v) { c.SetParamUInt16(n, v); }
inline void SetTyped(TarnLink::TarnCommand& c, const char* n, std::int32_t v) { c.SetParamInt32(n, v); }
inline void SetTyped(TarnLink::TarnCommand& c, const char* n, std::uint32_t v) { c.SetParamUInt32(n, v); }
inline void SetTyped(TarnLink::TarnCommand& c, const char* n, std::int64_t v) { c.SetParamInt64(n, v); }
inline void SetTyped(TarnLink::TarnCommand& c, const char* n, std::uint64_t v) { c.SetParamUInt64(n, v); }

// Calls visit with a zero of the C++ type that holds values of the integer
// parameter type and gives its result; false for BYTES and unknown types.
template <class Visitor>
bool VisitIntegerType(ParamType type, Visitor&& visit)
{
    switch (type) {
    case ParamType::kInt8:
        return visit(static_cast<signed char>(0));
    case ParamType::kUInt8:
        return visit(static_cast<unsigned char>(0));
    case ParamType::kInt16:
        return visit(static_cast<short>(0));
    case ParamType::kUInt16:
        return visit(static_cast<unsigned short>(0));
    case ParamType::kInt32:
        return visit(static_cast<std::int32_t>(0));
    case ParamType::kUInt32:
        return visit(static_cast<std::uint32_t>(0));
    case ParamType::kInt64:
        return visit(static_cast<std::int64_t>(0));
    case ParamType::kUInt64:
        return visit(static_cast<std::uint64_t>(0));
    default:
        return false;
    }
}

} // namespace TarnLinkPrivate

#endif
