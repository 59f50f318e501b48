#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "runtime/crc_calculator.h"
#include "runtime/crc_file_processors.h"
#include "support/cout_capture.h"
#include "tarnlink/TarnCommandFactory.h"

namespace {

namespace fs = std::filesystem;
using TarnLink::TarnCommandFactory;

// Bit by bit, independent of the library's table.
std::uint32_t ReferenceCRC(const std::string& text)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char byte : text) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1u) != 0 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
        }
    }
    return ~crc;
}

std::string Stamped(const std::string& text)
{
    return text + "\n#$ " + std::to_string(ReferenceCRC(text + "\n#")) + " $ ";
}

// Each test runs in an empty directory of its own, which is also "./".
class DefinitionCRCTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = fs::current_path();
        directory_ = fs::path(TARNLINK_BINARY_DIR) / "runtime_crc" /
                     ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(directory_);
        fs::create_directories(directory_ / "more");
        fs::current_path(directory_);
        TarnCommandFactory::SetVerbosity(false, false);
    }
    void TearDown() override
    {
        TarnCommandFactory::SetVerbosity(false, false);
        fs::current_path(previous_);
    }

    static void Write(const std::string& name, const std::string& text)
    {
        std::ofstream file(name, std::ios::binary);
        file << text;
    }
    static std::string Read(const std::string& name)
    {
        std::ifstream file(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }

private:
    fs::path previous_;
    fs::path directory_;
};

TEST(CRCCalculatorTest, MatchesTheStandardCheckValue)
{
    TarnLinkPrivate::CRCCalculator crc;
    const std::string text = "123456789";
    crc.Begin();
    crc.Update(reinterpret_cast<const unsigned char*>(text.data()), 4);
    crc.Update(nullptr, 3);
    crc.Update(reinterpret_cast<const unsigned char*>(text.data()) + 4, 0);
    crc.Update(reinterpret_cast<const unsigned char*>(text.data()) + 4, 5);
    crc.End();
    EXPECT_EQ(crc.GetValue(), 0xCBF43926u);
    crc.SetExpectedValue(0xCBF43926u);
    EXPECT_TRUE(crc.IsValid());
}

TEST_F(DefinitionCRCTest, StampsEveryDefinitionFileOfBothDirectories)
{
    Write("one.tcd", "abc");
    Write("more/two.tcd", "first ;\nsecond ;\n");
    Write("upper.TCD", "x");
    Write("longer.tcdx", "x");

    CoutCapture output;
    EXPECT_TRUE(TarnCommandFactory::GenerateCRCsForTCDFiles("more"));
    EXPECT_EQ(output.Text(), "\n WARNING - GENERATING NEW CRCs FOR TCD Files");

    EXPECT_EQ(Read("one.tcd"), Stamped("abc"));
    EXPECT_EQ(Read("more/two.tcd"), Stamped("first ;\nsecond ;\n"));
    EXPECT_EQ(Read("upper.TCD"), "x");
    EXPECT_EQ(Read("longer.tcdx"), "x");
    EXPECT_TRUE(TarnCommandFactory::VerifyCRCsForTCDFiles("more"));
}

TEST_F(DefinitionCRCTest, CarriageReturnsDoNotCount)
{
    Write("crlf.tcd", "a b ;\r\nc d ;\r\n");
    Write("more/lf.tcd", "a b ;\nc d ;\n");
    ASSERT_TRUE(TarnCommandFactory::GenerateCRCsForTCDFiles("more"));
    const std::string number = " " + std::to_string(ReferenceCRC("a b ;\nc d ;\n\n#")) + " $ ";
    EXPECT_EQ(Read("crlf.tcd"), "a b ;\r\nc d ;\r\n\n#$" + number);
    EXPECT_EQ(Read("more/lf.tcd"), "a b ;\nc d ;\n\n#$" + number);
    EXPECT_TRUE(TarnCommandFactory::VerifyCRCsForTCDFiles("more"));
}

TEST_F(DefinitionCRCTest, TrailersVerifyAcrossBlockBoundaries)
{
    // The opening mark lands just before, on and after the 512-character
    // block boundary, and well past it.
    for (std::size_t length : {507u, 508u, 509u, 510u, 511u, 1500u}) {
        const std::string name = "file" + std::to_string(length) + ".tcd";
        Write(name, std::string(length, 'q'));
    }
    ASSERT_TRUE(TarnCommandFactory::GenerateCRCsForTCDFiles(nullptr));
    EXPECT_EQ(Read("file510.tcd"), Stamped(std::string(510, 'q')));
    TarnCommandFactory::SetVerbosity(true, false);
    CoutCapture output;
    EXPECT_TRUE(TarnCommandFactory::VerifyCRCsForTCDFiles(nullptr));
    EXPECT_NE(output.Text().find("\nValid CRC on Tarn Command Definition File : ./file1500.tcd\n"), std::string::npos);
    EXPECT_NE(output.Text().find("\n<->Finished verifying CRCs - no errors."), std::string::npos);
}

TEST_F(DefinitionCRCTest, StampingTwiceAddsASecondTrailerThatVerifies)
{
    Write("twice.tcd", "abc");
    ASSERT_TRUE(TarnCommandFactory::GenerateCRCsForTCDFiles("."));
    EXPECT_EQ(Read("twice.tcd"), Stamped(Stamped("abc"))) << "./ and . are walked once each";
    EXPECT_TRUE(TarnCommandFactory::VerifyCRCsForTCDFiles(nullptr));
}

TEST_F(DefinitionCRCTest, CheckTaskRejectsChangedAndUnstampedText)
{
    TarnLinkPrivate::CRCCheckProcessor check;
    struct Case {
        std::string text;
        bool valid;
        bool badCRCMessage;
    };
    std::string changed = Stamped("abcdef");
    changed[2] = 'X';
    const Case cases[] = {
        {Stamped("abcdef"), true, false},
        {changed, false, true},
        {"abc\n#$ 12x $ ", false, true},
        {"abc\n#$ 99999999999 $ ", false, true},
        {"no mark at all", false, false},
        {"only $ one mark", false, false},
        {"", false, false},
    };
    for (const Case& testCase : cases) {
        std::istringstream file(testCase.text);
        CoutCapture output;
        EXPECT_EQ(check.ProcessFile(file, "x.tcd"), testCase.valid) << testCase.text;
        EXPECT_EQ(output.Text() == "\nBAD CRC on Tarn Command Definition File : x.tcd\n", testCase.badCRCMessage)
            << testCase.text;
    }
}

TEST_F(DefinitionCRCTest, VerifyingReportsFailures)
{
    std::string changed = Stamped("abc ;");
    changed[0] = 'z';
    Write("more/bad.tcd", changed);
    CoutCapture output;
    EXPECT_FALSE(TarnCommandFactory::VerifyCRCsForTCDFiles("more"));
    EXPECT_EQ(output.Text(), "\nBAD CRC on Tarn Command Definition File : more/bad.tcd\n"
                             "\n\nTarnLink failed to verify CRCs for TCD files in directory : more"
                             "\n>>> FAILED to verify CRCs <<<");
}

TEST_F(DefinitionCRCTest, FileThatCannotBeOpenedForUpdateFailsTheStamping)
{
#ifdef _WIN32
    GTEST_SKIP() << "a dangling symbolic link is how this test makes a file unopenable; Windows file systems "
                    "do not offer one to unprivileged processes";
#endif
    fs::create_symlink("nowhere/missing", "dangling.tcd");
    TarnCommandFactory::SetVerbosity(true, false);
    CoutCapture output;
    EXPECT_FALSE(TarnCommandFactory::GenerateCRCsForTCDFiles(nullptr));
    const std::string text = output.Text();
    EXPECT_NE(text.find("\nGenerating CRC on Tarn Command Definition File : ./dangling.tcd\n"), std::string::npos);
    EXPECT_NE(text.find("\n\nTarnLink failed to generate CRCs for TCD files in current directory"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 32), "\n>>> FAILED to generate CRCs <<<");
    EXPECT_EQ(text.find("Finished"), std::string::npos);
}

} // namespace
