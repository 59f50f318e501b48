// The parameter type table: each keyword with its type and packet size, and
// words that name no type.

#include <gtest/gtest.h>

#include <string>

#include "dictionary/parameter_type.h"

namespace {

using TarnLinkPrivate::ParamType;

struct TypeRow {
    const char* keyword;
    ParamType type;
    std::int32_t size;
};

TEST(ParameterType, EveryKeywordNamesItsTypeAndSize)
{
    const TypeRow rows[] = {
        {"INT8", ParamType::kInt8, 1},     {"UINT8", ParamType::kUInt8, 1},   {"INT16", ParamType::kInt16, 2},
        {"UINT16", ParamType::kUInt16, 2}, {"INT32", ParamType::kInt32, 4},   {"UINT32", ParamType::kUInt32, 4},
        {"INT64", ParamType::kInt64, 8},   {"UINT64", ParamType::kUInt64, 8}, {"BYTES", ParamType::kBytes, 0},
    };
    for (const TypeRow& row : rows) {
        SCOPED_TRACE(row.keyword);
        EXPECT_EQ(TarnLinkPrivate::ParamTypeFromName(row.keyword), row.type);
        EXPECT_STREQ(TarnLinkPrivate::ParamTypeName(row.type), row.keyword);
        EXPECT_EQ(TarnLinkPrivate::FixedSizeOf(row.type), row.size);
    }
}

TEST(ParameterType, WordsThatNameNoTypeAreInvalid)
{
    for (const char* word : {"", "int8", "INT", "INT12", "SYMBOL", "BYTES "}) {
        SCOPED_TRACE(word);
        EXPECT_EQ(TarnLinkPrivate::ParamTypeFromName(word), ParamType::kInvalid);
    }
    EXPECT_STREQ(TarnLinkPrivate::ParamTypeName(ParamType::kInvalid), "");
    EXPECT_EQ(TarnLinkPrivate::FixedSizeOf(ParamType::kInvalid), 0);
}

TEST(ParameterType, OnlyIntegerTypesHaveACppIntegerType)
{
    EXPECT_FALSE(TarnLinkPrivate::VisitIntegerType(ParamType::kBytes, [](auto) { return true; }));
    EXPECT_FALSE(TarnLinkPrivate::VisitIntegerType(ParamType::kInvalid, [](auto) { return true; }));
    std::size_t width = 0;
    EXPECT_TRUE(TarnLinkPrivate::VisitIntegerType(ParamType::kUInt16, [&](auto zero) {
        width = sizeof(zero);
        return true;
    }));
    EXPECT_EQ(width, 2u);
}

} // namespace
