#ifndef TARNLINK_DICTIONARY_PARAMETER_TYPE_H
#define TARNLINK_DICTIONARY_PARAMETER_TYPE_H

// The parameter types, generated from parameter_type_table.h: the
// enumeration, keyword and size of each, the C++ type a command holds for it,
// and a dispatch from a type to its C++ type. Header-only, so that the tool
// reads its definitions' types with the same table.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace TarnLinkPrivate {

enum class ParamType : std::uint8_t {
#define TARNLINK_INTEGER_TYPE(Id, keyword, size, CppType, dumpName) k##Id,
#define TARNLINK_BYTES_TYPE(Id, keyword, CppType, dumpName) k##Id,
#include "dictionary/parameter_type_table.h"
    kInvalid // a word that names no type
};

struct ParamTypeRecord {
    ParamType type;
    const char* keyword;
    std::int32_t size; // bytes of a value in a packet; 0 for a byte stream
};

constexpr ParamTypeRecord kParamTypes[] = {
#define TARNLINK_INTEGER_TYPE(Id, keyword, size, CppType, dumpName) {ParamType::k##Id, keyword, size},
#define TARNLINK_BYTES_TYPE(Id, keyword, CppType, dumpName) {ParamType::k##Id, keyword, 0},
#include "dictionary/parameter_type_table.h"
};
static_assert(sizeof(kParamTypes) / sizeof(kParamTypes[0]) == static_cast<std::size_t>(ParamType::kInvalid),
              "one record for each enumerator, in the order of the enumeration");

// kInvalid for a word that is not one of the type keywords.
inline ParamType ParamTypeFromName(std::string_view typeName)
{
    for (const ParamTypeRecord& record : kParamTypes) {
        if (typeName == record.keyword) {
            return record.type;
        }
    }
    return ParamType::kInvalid;
}

// The keyword of the type; "" for kInvalid.
inline const char* ParamTypeName(ParamType type)
{
    return type < ParamType::kInvalid ? kParamTypes[static_cast<std::size_t>(type)].keyword : "";
}

// Bytes of a value of this type in a packet; 0 for BYTES and kInvalid.
inline std::int32_t FixedSizeOf(ParamType type)
{
    return type < ParamType::kInvalid ? kParamTypes[static_cast<std::size_t>(type)].size : 0;
}

// The row of the table whose C++ type is T: its type, keyword and dump name.
template <class T>
struct ParamTypeOf;

#define TARNLINK_INTEGER_TYPE(Id, keyword_, size, CppType, dumpName_)                                       \
    template <>                                                                                             \
    struct ParamTypeOf<CppType> {                                                                           \
        static_assert(sizeof(CppType) == (size), "the C++ type has the packet size of its parameter type"); \
        static constexpr ParamType type = ParamType::k##Id;                                                 \
        static constexpr const char* keyword = keyword_;                                                    \
        static constexpr const char* dumpName = dumpName_;                                                  \
    };
#define TARNLINK_BYTES_TYPE(Id, keyword_, CppType, dumpName_) \
    template <>                                               \
    struct ParamTypeOf<CppType> {                             \
        static constexpr ParamType type = ParamType::k##Id;   \
        static constexpr const char* keyword = keyword_;      \
        static constexpr const char* dumpName = dumpName_;    \
    };
#include "dictionary/parameter_type_table.h"

// Calls visit with a zero of the C++ type that holds values of the integer
// parameter type and gives its result; false for BYTES and kInvalid.
template <class Visitor>
bool VisitIntegerType(ParamType type, Visitor&& visit)
{
    switch (type) {
#define TARNLINK_INTEGER_TYPE(Id, keyword, size, CppType, dumpName) \
case ParamType::k##Id:                                              \
    return visit(static_cast<CppType>(0));
#include "dictionary/parameter_type_table.h"
    default:
        return false;
    }
}

} // namespace TarnLinkPrivate

#endif
