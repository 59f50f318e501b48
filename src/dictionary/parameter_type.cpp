#include "dictionary/command_format.h"


namespace TarnLinkPrivate {

namespace {

struct TypeRecord {
    ParamType type;
    const char* name;
    std::int32_t size;
};

constexpr TypeRecord kTypes[] = {
    {ParamType::kInt8, "INT8", 1},     {ParamType::kUInt8, "UINT8", 1},   {ParamType::kInt16, "INT16", 2},
    {ParamType::kUInt16, "UINT16", 2}, {ParamType::kInt32, "INT32", 4},   {ParamType::kUInt32, "UINT32", 4},
    {ParamType::kInt64, "INT64", 8},   {ParamType::kUInt64, "UINT64", 8}, {ParamType::kBytes, "BYTES", 0},
};

constexpr char kInvalidTypeName[] = "";

} // namespace

ParamType ParamTypeFromName(const std::string& typeName)
{
    for (const TypeRecord& record : kTypes) {
        if (typeName == record.name) {
            return record.type;
        }
    }
    return ParamType::kInvalid;
}

const char* ParamTypeName(ParamType type)
{
    for (const TypeRecord& record : kTypes) {
        if (record.type == type) {
            return record.name;
        }
    }
    return kInvalidTypeName;
}

std::int32_t FixedSizeOf(ParamType type)
{
    for (const TypeRecord& record : kTypes) {
        if (record.type == type) {
            return record.size;
        }
    }
    return 0;
}

} // namespace TarnLinkPrivate
