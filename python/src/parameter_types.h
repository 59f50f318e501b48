#ifndef TARNLINK_PYTHON_PARAMETER_TYPES_H
#define TARNLINK_PYTHON_PARAMETER_TYPES_H

// The numeric parameter types of command definitions: the type's name in a
// definition, the C++ type it is held as, and the suffix of TarnCommand's
// SetParam/GetParam member functions for it.

#include <cstdint>

#define TARNLINK_PYTHON_NUMBER_TYPES(X)       \
    X("INT8", signed char, Int8)              \
    X("UINT8", unsigned char, UInt8)          \
    X("INT16", short, Int16)                  \
    X("UINT16", unsigned short, UInt16)       \
    X("INT32", std::int32_t, Int32)           \
    X("UINT32", std::uint32_t, UInt32)        \
    X("INT64", std::int64_t, Int64)           \
    X("UINT64", std::uint64_t, UInt64)

namespace TarnLinkPython {

// The definition's name of the byte stream type.
constexpr char kByteStreamType[] = "BYTES";

} // namespace TarnLinkPython

#endif
