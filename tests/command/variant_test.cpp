#include <gtest/gtest.h>

#include <cstring>
#include <list>
#include <string>
#include <utility>
#include <vector>

#include "tarnlink/TarnCommand.h"

using namespace TarnLink::VariantImpl;
using Range = std::pair<std::int32_t, std::int32_t>;

// Hosts compiled against an earlier header compare these numbers with the library's.
static_assert(HeldTypeTag<signed char>::value == 1 && HeldTypeTag<short>::value == 3 &&
                  HeldTypeTag<std::uint64_t>::value == 8 && HeldTypeTag<std::string>::value == 9 &&
                  HeldTypeTag<Range>::value == 12,
              "type tags keep their numbers");
static_assert(HeldTypeTag<float>::value == 0 && HeldTypeTag<int*>::value == 0, "other types have tag 0");

TEST(VariantTest, HoldsEachTypeWithExactIdentity)
{
    const Variant i32(std::int32_t{-7});
    EXPECT_EQ(i32.type(), typeid(std::int32_t));
    EXPECT_EQ(variant_cast<std::int32_t>(i32), -7);
    EXPECT_EQ(variant_cast<std::uint32_t>(&i32), nullptr);
    EXPECT_EQ(variant_cast<std::int64_t>(&i32), nullptr);
    EXPECT_THROW(variant_cast<std::uint32_t>(i32), bad_variant_cast);

    const Variant text(std::string("SR_48000Hz"));
    EXPECT_EQ(variant_cast<std::string>(text), "SR_48000Hz");
    const Variant list(std::list<std::string>{"a", "b"});
    EXPECT_EQ(variant_cast<std::list<std::string>>(list).size(), 2u);
    const Variant range(Range(-3, 9));
    EXPECT_EQ(variant_cast<Range>(range).second, 9);

    const Variant empty;
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(empty.type(), typeid(void));
    EXPECT_EQ(variant_cast<std::int32_t>(&empty), nullptr);
    EXPECT_EQ(variant_cast<std::int32_t>(static_cast<const Variant*>(nullptr)), nullptr);
}

TEST(VariantTest, BadCastTellsWhatFailed)
{
    try {
        variant_cast<unsigned char>(Variant(static_cast<signed char>(1)));
        FAIL() << "no exception";
    } catch (const std::bad_cast& error) {
        EXPECT_STREQ(error.what(), "bad_variant_cast: failed conversion using variant_cast");
    }
}

TEST(VariantTest, CopyIsIndependentAndSwapExchangesValues)
{
    Variant bytes(std::vector<char>{'a', 'b', 'c'});
    Variant copy(bytes);
    variant_cast<std::vector<char>>(&copy)->push_back('d');
    EXPECT_EQ(variant_cast<std::vector<char>>(bytes).size(), 3u);

    Variant number(static_cast<unsigned short>(40000));
    Variant none;
    bytes.swap(number);
    EXPECT_EQ(variant_cast<unsigned short>(bytes), 40000);
    EXPECT_EQ(variant_cast<std::vector<char>>(number).size(), 3u);
    none.swap(number);
    EXPECT_TRUE(number.empty());
    EXPECT_EQ(variant_cast<std::vector<char>>(none).size(), 3u);
    none.swap(none);
    EXPECT_EQ(variant_cast<std::vector<char>>(none).size(), 3u);
}
