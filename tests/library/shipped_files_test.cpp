// The built library, loaded as a host loads it, finds the 165 shipped
// definitions and the seven capability files: inside itself when it carries
// them (on Windows as its module resources), in a directory when it does not.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/cout_capture.h"
#include "tarnlink/TarnCommandFactory.h"
#include "tarnlink/TarnDictionary.h"
#include "tarnlink/TarnHWCaps.h"

namespace {

namespace fs = std::filesystem;
using TarnLink::TarnCommandFactory;
using TarnLink::HWCaps::TarnHWCaps;
using TarnLink::HWCaps::TarnHWCapsFactory;

constexpr std::size_t kShippedDefinitionCount = 165;
constexpr bool kLibraryEmbedsFiles = TARNLINK_EMBEDS_FILES;

struct ShippedCapabilityFile {
    const char* hardwareType;
    const char* itemName;
    const char* fileName;
};

constexpr ShippedCapabilityFile kShippedCapabilityFiles[] = {
    {"NULL", "IDR_RT_HWCFILE_1", "null.hwc"},
    {"OHCI", "IDR_RT_HWCFILE_2", "firewire_dv.hwc"},
    {"BreakoutSD", "IDR_RT_HWCFILE_3", "breakout_sd.hwc"},
    {"BreakoutHD", "IDR_RT_HWCFILE_4", "breakout_hd.hwc"},
    {"HDBoard", "IDR_RT_HWCFILE_5", "hd_board.hwc"},
    {"AVCIboard", "IDR_RT_HWCFILE_6", "avci_board.hwc"},
    {"StudioBox", "IDR_RT_HWCFILE_7", "studio_box.hwc"},
};

// A library without embedded files reads both kinds from one directory here:
// a scratch copy of the shipped files, named as the additional path.
class ShippedFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        if constexpr (!kLibraryEmbedsFiles) {
            directory_ = fs::temp_directory_path() / "tarnlink_shipped_files";
            fs::remove_all(directory_);
            fs::create_directories(directory_);
            for (const char* folder : {"/resources/tcd", "/resources/hwc"}) {
                for (const auto& entry : fs::directory_iterator(TARNLINK_SOURCE_DIR + std::string(folder))) {
                    fs::copy_file(entry.path(), directory_ / entry.path().filename());
                }
            }
            ASSERT_TRUE(TarnCommandFactory::SetInitializationAdditionalPath(directory_.generic_string().c_str()));
        }
        CoutCapture quiet;
        ASSERT_TRUE(TarnCommandFactory::Initialize()) << quiet.Text();
    }
    void TearDown() override
    {
        CoutCapture quiet;
        EXPECT_TRUE(TarnCommandFactory::Terminate()) << quiet.Text();
        if (!directory_.empty()) {
            fs::remove_all(directory_);
        }
    }

    std::string ExpectedFileName(const ShippedCapabilityFile& file) const
    {
        if constexpr (kLibraryEmbedsFiles) {
            return file.itemName;
        }
        return directory_.generic_string() + "/" + file.fileName;
    }

    fs::path directory_;
};

TEST_F(ShippedFiles, EveryDefinitionIsLoaded)
{
    EXPECT_EQ(TarnLink::TarnDictionary::GetCommandNames().size(), kShippedDefinitionCount);
}

TEST_F(ShippedFiles, EveryCapabilityFileIsLoadedUnderItsName)
{
    for (const ShippedCapabilityFile& file : kShippedCapabilityFiles) {
        TarnHWCaps* caps = TarnHWCapsFactory::CreateHWCaps(file.hardwareType);
        ASSERT_NE(caps, nullptr);
        EXPECT_STREQ(caps->GetHWGuidOrName(), file.hardwareType);
        EXPECT_EQ(std::string(caps->GetHWCapsFilename()), ExpectedFileName(file)) << file.hardwareType;
        TarnHWCapsFactory::DestroyHWCaps(caps);
    }
}

} // namespace
