#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "dictionary/tcd_file_processor.h"
#include "tarnlink/TarnDictionary.h"

using namespace TarnLinkPrivate;

namespace {

std::string ReadAll(std::istream& stream)
{
    return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

class EmbeddedFiles : public ::testing::Test {
protected:
    void TearDown() override { TarnLink::TarnDictionary::SetEmbeddedFilesEnabled(true, true); }
};

TEST_F(EmbeddedFiles, ItemsOfEachKindInManifestOrderWithOneAddedBlank)
{
    std::string name;
    auto first = OpenEmbeddedFile(0, 1, name);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(name, "IDR_RT_TCDFILE_1");
    const std::string text = ReadAll(*first);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.back(), ' ');
    EXPECT_EQ(text.front(), '#');

    ASSERT_NE(OpenEmbeddedFile(5, 1, name), nullptr);
    EXPECT_EQ(name, "IDR_RT_TCDFILE_6");
    ASSERT_NE(OpenEmbeddedFile(0, 2, name), nullptr);
    EXPECT_EQ(name, "IDR_RT_HWCFILE_1");
}

TEST_F(EmbeddedFiles, NoneOutsideTheItems)
{
    std::string name = "unchanged";
    EXPECT_EQ(OpenEmbeddedFile(6, 1, name), nullptr);
    EXPECT_EQ(OpenEmbeddedFile(-1, 1, name), nullptr);
    EXPECT_EQ(OpenEmbeddedFile(0, 0, name), nullptr);
    EXPECT_EQ(OpenEmbeddedFile(0, 3, name), nullptr);
    EXPECT_EQ(name, "unchanged");
}

TEST_F(EmbeddedFiles, DisabledKindGivesNone)
{
    std::string name;
    TarnLink::TarnDictionary::SetEmbeddedFilesEnabled(false, true);
    EXPECT_EQ(OpenEmbeddedFile(0, 1, name), nullptr);
    EXPECT_NE(OpenEmbeddedFile(0, 2, name), nullptr);
    TarnLink::TarnDictionary::SetEmbeddedFilesEnabled(true, false);
    EXPECT_NE(OpenEmbeddedFile(0, 1, name), nullptr);
    EXPECT_EQ(OpenEmbeddedFile(0, 2, name), nullptr);
}

class CountingProcessor : public TCDFileProcessor {
public:
    explicit CountingProcessor(int failAt) : failAt_(failAt) {}
    const char* GetTaskDescription() const override { return "Counting"; }
    bool ProcessFile(std::istream&, const char*) override { return ++calls != failAt_; }
    int calls = 0;

private:
    int failAt_;
};

TEST_F(EmbeddedFiles, WalkVisitsEveryDefinitionFileAndStopsAtAFailure)
{
    bool foundAny = false;
    CountingProcessor all(0);
    EXPECT_TRUE(ProcessEmbeddedTCDFiles(all, foundAny));
    EXPECT_TRUE(foundAny);
    EXPECT_EQ(all.calls, 6);

    CountingProcessor failing(2);
    EXPECT_FALSE(ProcessEmbeddedTCDFiles(failing, foundAny));
    EXPECT_EQ(failing.calls, 2);

    TarnLink::TarnDictionary::SetEmbeddedFilesEnabled(false, true);
    CountingProcessor none(0);
    EXPECT_TRUE(ProcessEmbeddedTCDFiles(none, foundAny));
    EXPECT_FALSE(foundAny);
    EXPECT_EQ(none.calls, 0);
}

} // namespace
