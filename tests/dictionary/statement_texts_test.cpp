#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/statement_texts.h"

using TarnLinkPrivate::ReadWholeText;
using TarnLinkPrivate::StatementTexts;

namespace {

struct Split {
    std::vector<std::string> statements;
    std::string rest;
    std::vector<bool> holdsNul;
};

Split SplitAll(std::string_view text)
{
    Split split;
    StatementTexts statements(text);
    for (std::string_view statement; statements.Next(statement);) {
        split.statements.emplace_back(statement);
        split.holdsNul.push_back(statements.LastHoldsNul());
    }
    split.rest = std::string(statements.Rest());
    return split;
}

// Only the statement that holds the first NUL is marked: the parsers stop there.
TEST(StatementTexts, StatementsEndAtEachSemicolonAndTheRestIsNone)
{
    struct Case {
        std::string_view text;
        std::vector<std::string> statements;
        std::string rest;
        std::vector<bool> holdsNul;
    };
    using namespace std::string_literals;
    const Case cases[] = {
        {"", {}, "", {}},
        {"no semicolon", {}, "no semicolon", {}},
        {"A 1 ;B\n2;", {"A 1 ", "B\n2"}, "", {false, false}},
        {";;", {"", ""}, "", {false, false}},
        {"A;\n#$ 123 $ ", {"A"}, "\n#$ 123 $ ", {false}},
        {std::string_view("A;B\0;C", 6), {"A", "B\0"s}, "C", {false, true}},
        {std::string_view("\0A;B;C", 6), {"\0A"s, "B"}, "C", {true, false}},
        {std::string_view("A;B;C\0", 6), {"A", "B"}, "C\0"s, {false, false}},
    };
    for (const Case& c : cases) {
        const Split split = SplitAll(c.text);
        EXPECT_EQ(split.statements, c.statements) << c.text;
        EXPECT_EQ(split.rest, c.rest) << c.text;
        EXPECT_EQ(split.holdsNul, c.holdsNul) << c.text;
    }
}

// Files larger than one read and than the first reservation come in whole.
TEST(StatementTexts, ReadWholeTextTakesEveryByteLeft)
{
    std::string large(40000, 'x');
    large[0] = 'A';
    large.back() = '\0';
    std::istringstream stream(large);
    EXPECT_EQ(stream.get(), 'A');
    EXPECT_EQ(ReadWholeText(stream), large.substr(1));

    std::istringstream failed("text");
    failed.setstate(std::ios_base::failbit);
    EXPECT_EQ(ReadWholeText(failed), "");
}

} // namespace
