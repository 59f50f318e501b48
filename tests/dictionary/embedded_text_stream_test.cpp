#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "dictionary/embedded_text_stream.h"

using TarnLinkPrivate::EmbeddedTextStream;

namespace {

const char kItem[] = "A 1 ;B 2";

TEST(EmbeddedTextStream, ReadsTheBytesThenOneBlank)
{
    EmbeddedTextStream stream(kItem, sizeof kItem - 1);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()), "A 1 ;B 2 ");
}

// The last word ends at the added blank, and text after the last ";" is read
// as the rest of the stream.
TEST(EmbeddedTextStream, StatementsAndWordsEndAtTheAddedBlank)
{
    EmbeddedTextStream stream(kItem, sizeof kItem - 1);
    std::string statement;
    ASSERT_TRUE(std::getline(stream, statement, ';'));
    EXPECT_EQ(statement, "A 1 ");
    std::getline(stream, statement, ';');
    EXPECT_TRUE(stream.eof());
    EXPECT_EQ(statement, "B 2 ");

    EmbeddedTextStream words(kItem, sizeof kItem - 1);
    std::string word;
    std::string last;
    while (words >> word) {
        last = word;
    }
    EXPECT_EQ(last, "2");
}

TEST(EmbeddedTextStream, SeeksWithinTheBytesAndTheBlank)
{
    EmbeddedTextStream stream(kItem, sizeof kItem - 1);
    std::string all(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>{});
    stream.clear();
    EXPECT_EQ(stream.tellg(), std::streampos(9));
    stream.seekg(0);
    EXPECT_EQ(stream.get(), 'A');
    stream.seekg(-2, std::ios_base::end);
    EXPECT_EQ(stream.tellg(), std::streampos(7));
    EXPECT_EQ(stream.get(), '2');
    EXPECT_EQ(stream.get(), ' ');
    EXPECT_EQ(stream.get(), EOF);
    stream.clear();
    stream.seekg(10);
    EXPECT_TRUE(stream.fail());
}

// Putting back a character other than the one read cannot write into the
// item's bytes: it fails, and the bytes stay as they are.
TEST(EmbeddedTextStream, PuttingBackAnotherCharacterFails)
{
    const std::string item = "xy";
    EmbeddedTextStream stream(item.data(), item.size());
    EXPECT_EQ(stream.get(), 'x');
    stream.putback('q');
    EXPECT_TRUE(stream.bad());
    EXPECT_EQ(item, "xy");
}

} // namespace
