#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "hwcaps/hwc_file_loader.h"
#include "hwcaps/hwcaps_registry.h"
#include "support/cout_capture.h"
#include "tarnlink/TarnCommandFactory.h"
#include "tarnlink/TarnHWCaps.h"

namespace {

namespace fs = std::filesystem;
using TarnLink::HWCaps::TarnHWCaps;
using TarnLink::HWCaps::TarnHWCapsFactory;

// A fresh directory for one test, removed afterwards.
class ScratchDirectory {
public:
    ScratchDirectory()
        : path_(fs::temp_directory_path() /
                ("tarnlink_hwc_" + std::to_string(getpid()) + "_" + std::to_string(counter_++)))
    {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~ScratchDirectory() { fs::remove_all(path_); }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    void Write(const std::string& name, const std::string& text) const { std::ofstream(path_ / name) << text; }
    std::string Path() const { return path_.generic_string(); }

private:
    static inline int counter_ = 0;
    fs::path path_;
};

// The library without embedded files, its definitions read from the source
// tree: the capability files come from whatever directory a test names.
class HWCDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoutCapture quiet;
        TarnLink::TarnCommandFactory::SetInitializationAdditionalPath(TARNLINK_SOURCE_DIR "/resources/tcd");
        ASSERT_TRUE(TarnLink::TarnCommandFactory::Initialize()) << quiet.Text();
    }
    void TearDown() override
    {
        CoutCapture quiet;
        EXPECT_TRUE(TarnLink::TarnCommandFactory::Terminate()) << quiet.Text();
    }

    static std::string TypeNameOf(const char* hardwareType)
    {
        TarnHWCaps* caps = TarnHWCapsFactory::CreateHWCaps(hardwareType);
        const std::string name = caps->GetHWGuidOrName();
        TarnHWCapsFactory::DestroyHWCaps(caps);
        return name;
    }
};

TEST_F(HWCDirectoryTest, OnlyFilesEndingInLowerCaseHwcAreRead)
{
    ScratchDirectory directory;
    directory.Write("dir_a.hwc", "HardwareType DirA ;");
    directory.Write("DIR_B.HWC", "HardwareType DirUpper ;");
    directory.Write("dir_c.hwc.bak", "HardwareType DirBackup ;");
    directory.Write("hwc", "HardwareType DirShortName ;");
    fs::create_directories(directory.Path() + "/nested.hwc");
    std::ofstream(directory.Path() + "/nested.hwc/dir_d.hwc") << "HardwareType DirNested ;";

    CoutCapture output;
    EXPECT_TRUE(TarnHWCapsFactory::InitHardwareCapabilitiesInfo(directory.Path().c_str()));
    EXPECT_EQ(output.Text(), "");
    EXPECT_EQ(TypeNameOf("DirA"), "DirA");
    for (const char* unread : {"DirUpper", "DirBackup", "DirShortName", "DirNested"}) {
        EXPECT_EQ(TypeNameOf(unread), "EMPTY") << unread;
    }

    TarnHWCaps* caps = TarnHWCapsFactory::CreateHWCaps("DirA");
    EXPECT_EQ(caps->GetHWCapsFilename(), directory.Path() + "/dir_a.hwc");
    TarnHWCapsFactory::DestroyHWCaps(caps);
}

TEST_F(HWCDirectoryTest, SecondFileOfATypeIsRefusedAndStopsTheScan)
{
    ScratchDirectory directory;
    directory.Write("one.hwc", "HardwareType Twin ;");
    directory.Write("two.hwc", "HardwareType Twin ;");
    CoutCapture output;
    EXPECT_FALSE(TarnLinkPrivate::LoadHWCDirectory((directory.Path() + "/").c_str()));
    EXPECT_NE(output.Text().find("\n\nERROR - Duplicate HardwareTypeID in file : " + directory.Path() + "/"),
              std::string::npos)
        << output.Text();
    EXPECT_NE(output.Text().find(" HardwareTypeID : Twin"), std::string::npos) << output.Text();
}

TEST_F(HWCDirectoryTest, BrokenFileFailsTheScan)
{
    ScratchDirectory directory;
    directory.Write("broken.hwc", "HardwareType Broken ; Property ;");
    CoutCapture output;
    EXPECT_FALSE(TarnHWCapsFactory::InitHardwareCapabilitiesInfo(directory.Path().c_str()));
    EXPECT_EQ(output.Text(), "\n\nERROR - Failed To Successfully parse Hardware Capabilities file : " +
                                 directory.Path() + "/broken.hwc");
    EXPECT_EQ(TypeNameOf("Broken"), "EMPTY");
}

TEST_F(HWCDirectoryTest, PathsWithoutFiles)
{
    EXPECT_FALSE(TarnLinkPrivate::LoadHWCDirectory(nullptr));
    EXPECT_TRUE(TarnLinkPrivate::LoadHWCDirectory("/no/such/directory/for/tarnlink"));
    ScratchDirectory empty;
    EXPECT_TRUE(TarnHWCapsFactory::InitHardwareCapabilitiesInfo(empty.Path().c_str()));
}

// A second load keeps the names it had, so every file read again is refused.
TEST_F(HWCDirectoryTest, ReloadWithoutTerminateRefusesKnownTypes)
{
    ScratchDirectory directory;
    directory.Write("again.hwc", "HardwareType Again ;");
    CoutCapture output;
    EXPECT_TRUE(TarnHWCapsFactory::InitHardwareCapabilitiesInfo(directory.Path().c_str()));
    EXPECT_FALSE(TarnHWCapsFactory::InitHardwareCapabilitiesInfo(directory.Path().c_str()));
    TarnHWCaps* caps = TarnHWCapsFactory::CreateHWCaps("Again");
    EXPECT_STREQ(caps->GetHWGuidOrName(), "Again");
    EXPECT_EQ(TarnLinkPrivate::RegisteredDataOf(*caps), nullptr);
    TarnHWCapsFactory::DestroyHWCaps(caps);
}

TEST(HWCDirectoryStartUp, InitializeReadsCapabilityFilesFromTheAdditionalPath)
{
    ScratchDirectory directory;
    for (const char* folder : {"/resources/tcd", "/resources/hwc"}) {
        for (const auto& entry : fs::directory_iterator(std::string(TARNLINK_SOURCE_DIR) + folder)) {
            fs::copy_file(entry.path(), directory.Path() + "/" + entry.path().filename().string());
        }
    }
    CoutCapture output;
    ASSERT_TRUE(TarnLink::TarnCommandFactory::SetInitializationAdditionalPath(directory.Path().c_str()));
    ASSERT_TRUE(TarnLink::TarnCommandFactory::Initialize()) << output.Text();
    TarnHWCaps* caps = TarnHWCapsFactory::CreateHWCaps("NULL");
    EXPECT_NE(TarnLinkPrivate::RegisteredDataOf(*caps), nullptr);
    EXPECT_EQ(std::string(caps->GetHWCapsFilename()).rfind(directory.Path() + "/", 0), 0u);
    TarnHWCapsFactory::DestroyHWCaps(caps);
    EXPECT_STREQ(TarnLink::HWCaps::TarnHWCapsManager::Instance()->GetHWCapsPtr()->GetHWGuidOrName(), "NULL");
    EXPECT_TRUE(TarnLink::TarnCommandFactory::Terminate());
}

} // namespace
