#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "dictionary/command_registry.h"
#include "dictionary/library_state.h"
#include "dictionary/tcd_file_processor.h"
#include "support/cout_capture.h"
#include "tarnlink/TarnCommandFactory.h"

using TarnLink::TarnCommandFactory;
using namespace TarnLinkPrivate;
namespace fs = std::filesystem;

namespace {

constexpr char kNoCommands[] = "\n\nTarnLink Initialization failed to find any Tarn commands!!!!!!!";
constexpr char kFailed[] = "\n>>> FAILED to initialize TarnLink <<<";

// Each test runs in an empty current directory of its own, so that "./"
// holds only the files the test writes.
class DirectoryWalk : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous_ = fs::current_path();
        root_ = fs::temp_directory_path() /
                ("tarnlink_walk_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "cwd");
        fs::current_path(root_ / "cwd");
    }

    void TearDown() override
    {
        while (InitCount() > 0) {
            TarnCommandFactory::Terminate();
        }
        TarnCommandFactory::SetVerbosity(false, false);
        fs::current_path(previous_);
        fs::remove_all(root_);
    }

    fs::path MakeDirectory(const char* name)
    {
        fs::create_directories(root_ / name);
        return root_ / name;
    }

    static void Write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

    static std::string Definition(const char* name, int opcode)
    {
        return std::string(name) + " Diag DiagOpcode " + std::to_string(opcode) + ";\r\n";
    }

    fs::path previous_;
    fs::path root_;
};

class RecordingProcessor : public TCDFileProcessor {
public:
    explicit RecordingProcessor(bool result) : result_(result) {}
    const char* GetTaskDescription() const override { return "Recording"; }
    bool ProcessFile(std::istream& file, const char* fileName) override
    {
        names.emplace_back(fileName);
        contents.emplace_back(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        return result_;
    }
    std::vector<std::string> names;
    std::vector<std::string> contents;

private:
    bool result_;
};

TEST_F(DirectoryWalk, NoDefinitionFilesAnywhereFailsTheStart)
{
    bool foundAny = true;
    RecordingProcessor processor(true);
    EXPECT_TRUE(ProcessEmbeddedTCDFiles(processor, foundAny));
    EXPECT_FALSE(foundAny);

    CoutCapture capture;
    EXPECT_FALSE(TarnCommandFactory::Initialize());
    EXPECT_EQ(capture.Text(), std::string(kNoCommands) + kFailed);
    EXPECT_EQ(InitCount(), 0u);
    EXPECT_TRUE(IsCleanShutdown());
}

TEST_F(DirectoryWalk, ReadsOnlyDotTcdFilesOfCurrentAndAdditionalDirectories)
{
    const std::string broken = "Broken Tarn;";
    Write("a.tcd", Definition("FromCurrent", 1));
    Write("upper.TCD", broken);
    Write("b.tcd.bak", broken);
    Write("tcd", broken);
    Write("x", broken);
    fs::create_directories("dir.tcd");
    const fs::path extra = MakeDirectory("extra");
    Write(extra / "e.tcd", Definition("FromExtra", 2));

    ASSERT_TRUE(TarnCommandFactory::SetInitializationAdditionalPath(extra.generic_string().c_str()));
    CoutCapture capture;
    ASSERT_TRUE(TarnCommandFactory::Initialize());
    EXPECT_EQ(capture.Text(), "");
    EXPECT_EQ(GetNameRegistry().size(), 2u);
    ASSERT_NE(FindCommandFormat("FromCurrent"), nullptr);
    EXPECT_EQ(FindCommandFormat("FromCurrent")->SourceFile(), "./a.tcd");
    ASSERT_NE(FindCommandFormat("FromExtra"), nullptr);
    EXPECT_EQ(FindCommandFormat("FromExtra")->SourceFile(), (extra / "e.tcd").generic_string());
    EXPECT_TRUE(TarnCommandFactory::Terminate());
}

TEST_F(DirectoryWalk, VerboseWalkNamesDirectoryAndTask)
{
    const fs::path extra = MakeDirectory("extra");
    Write(extra / "e.tcd", Definition("E", 2));
    TarnCommandFactory::SetVerbosity(true, false);
    RecordingProcessor processor(true);
    CoutCapture capture;
    ASSERT_TRUE(ProcessDirectory(extra.generic_string().c_str(), processor));
    EXPECT_EQ(capture.Text(), "\nProcessing directory: " + extra.generic_string() + " Task: Recording\n");
    ASSERT_EQ(processor.names.size(), 1u);
    EXPECT_EQ(processor.names[0], extra.generic_string() + "/e.tcd");
    EXPECT_EQ(processor.contents[0], "E Diag DiagOpcode 2;\n"); // CR LF reads as LF
}

TEST_F(DirectoryWalk, WalkStopsAtTheFirstFailingFile)
{
    const fs::path extra = MakeDirectory("extra");
    Write(extra / "one.tcd", Definition("One", 1));
    Write(extra / "two.tcd", Definition("Two", 2));
    RecordingProcessor processor(false);
    EXPECT_FALSE(ProcessDirectory((extra.generic_string() + "/").c_str(), processor));
    EXPECT_EQ(processor.names.size(), 1u);

    RecordingProcessor unused(true);
    EXPECT_FALSE(ProcessDirectory(nullptr, unused));
    EXPECT_TRUE(ProcessDirectory((root_ / "missing").generic_string().c_str(), unused));
    EXPECT_TRUE(unused.names.empty());
}

TEST_F(DirectoryWalk, FailedStartReleasesItsDefinitionsSoAFixedPathSucceeds)
{
    const fs::path broken = MakeDirectory("broken");
    Write(broken / "bad.tcd", Definition("Good", 1) + "Bad Diag DiagOpcode 300;");
    const fs::path fixed = MakeDirectory("fixed");
    Write(fixed / "good.tcd", Definition("Good", 1) + Definition("Better", 2));

    TarnCommandFactory::SetVerbosity(true, false);
    ASSERT_TRUE(TarnCommandFactory::SetInitializationAdditionalPath(broken.generic_string().c_str()));
    {
        CoutCapture capture;
        EXPECT_FALSE(TarnCommandFactory::Initialize());
        const std::string text = capture.Text();
        EXPECT_NE(text.find("\n\nERROR - Failed To Successfully parse Tarn Command Definition file : " +
                            (broken / "bad.tcd").generic_string()),
                  std::string::npos);
        EXPECT_NE(text.find("\n\nTarnLink failed initializing while reading directory : " + broken.generic_string()),
                  std::string::npos);
        EXPECT_EQ(text.substr(text.size() - std::string(kFailed).size()), kFailed);
    }
    EXPECT_EQ(InitCount(), 0u);
    EXPECT_TRUE(IsCleanShutdown());
    EXPECT_TRUE(GetNameRegistry().empty());
    EXPECT_TRUE(GetOpcodeIndex().empty());

    TarnCommandFactory::SetVerbosity(false, false);
    ASSERT_TRUE(TarnCommandFactory::SetInitializationAdditionalPath(fixed.generic_string().c_str()));
    CoutCapture capture;
    EXPECT_TRUE(TarnCommandFactory::Initialize());
    EXPECT_EQ(capture.Text(), "");
    EXPECT_NE(FindCommandFormat("Better"), nullptr);
    EXPECT_TRUE(TarnCommandFactory::Terminate());
}

TEST_F(DirectoryWalk, StatementTooLongFailsTheStart)
{
    Write("long.tcd", Definition("A", 1) + std::string(9000, 'x') + ";");
    CoutCapture capture;
    EXPECT_FALSE(TarnCommandFactory::Initialize());
    EXPECT_EQ(capture.Text(),
              "\n\nERROR - Statement too long in Tarn Command Definition file : ./long.tcd" + std::string(kFailed));
    EXPECT_TRUE(GetNameRegistry().empty());
}

TEST_F(DirectoryWalk, NoEmbeddedItemOfAnyKind)
{
    std::string name = "unchanged";
    EXPECT_EQ(OpenEmbeddedFile(0, 1, name), nullptr);
    EXPECT_EQ(OpenEmbeddedFile(0, 2, name), nullptr);
    EXPECT_EQ(name, "unchanged");
}

} // namespace
