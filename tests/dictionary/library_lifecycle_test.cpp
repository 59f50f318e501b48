#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "dictionary/command_format.h"
#include "dictionary/command_registry.h"
#include "dictionary/library_state.h"
#include "support/cout_capture.h"
#include "tarnlink/TarnCommandFactory.h"
#include "tarnlink/TarnDictionary.h"

using TarnLink::TarnCommandFactory;
using namespace TarnLinkPrivate;

namespace {

constexpr char kAlreadyInited[] = "\n<-> TarnLink already inited\n";

class EmbeddedLifecycle : public ::testing::Test {
protected:
    void TearDown() override
    {
        while (InitCount() > 0) {
            TarnCommandFactory::Terminate();
        }
        TarnCommandFactory::SetVerbosity(false, false);
    }
};

TEST_F(EmbeddedLifecycle, LoadsTheShippedDictionarySilently)
{
    CoutCapture capture;
    ASSERT_TRUE(TarnCommandFactory::Initialize());
    EXPECT_EQ(capture.Text(), "");
    EXPECT_TRUE(IsLibraryInitialized());

    const NameRegistry& registry = GetNameRegistry();
    EXPECT_GE(registry.size(), 150u);
    for (const char* name :
         {"AudioHostChanMute", "HAGetDeviceInfo", "AudioHostMonitorChanGain", "DiagAudioTone", "DiagColorbars",
          "RunDiagnostic", "HardwareTypeID", "HardwareSubcompCount", "HardwareSubcompInfo", "SampleRate"}) {
        EXPECT_NE(FindCommandFormat(name), nullptr) << name;
    }
    EXPECT_EQ(FindCommandFormat("AudioHostChanMute")->SourceFile().rfind("IDR_RT_TCDFILE_", 0), 0u);
    std::size_t tarnCount = 0;
    std::size_t diagCount = 0;
    for (const auto& entry : registry) {
        tarnCount += dynamic_cast<const TarnCommandFormat*>(entry.second.get()) != nullptr ? 1 : 0;
        diagCount += entry.second->IsDiagCommandFormat() ? 1 : 0;
    }
    EXPECT_EQ(GetTypeCodeIndex().size(), tarnCount);
    EXPECT_EQ(GetOpcodeIndex().size(), diagCount);

    EXPECT_TRUE(TarnCommandFactory::Terminate());
    EXPECT_FALSE(IsLibraryInitialized());
    EXPECT_EQ(FindCommandFormat("AudioHostChanMute"), nullptr);
    EXPECT_TRUE(GetNameRegistry().empty());
    EXPECT_TRUE(GetTypeCodeIndex().empty());
}

TEST_F(EmbeddedLifecycle, NestedPairsLoadOnceAndTearDownAtTheOutermost)
{
    ASSERT_TRUE(TarnCommandFactory::Initialize());
    {
        CoutCapture capture;
        EXPECT_TRUE(TarnCommandFactory::Initialize());
        EXPECT_EQ(capture.Text(), kAlreadyInited);
    }
    EXPECT_EQ(InitCount(), 2u);
    EXPECT_TRUE(TarnCommandFactory::Terminate());
    EXPECT_NE(FindCommandFormat("SampleRate"), nullptr);
    EXPECT_TRUE(TarnCommandFactory::Terminate());
    EXPECT_EQ(FindCommandFormat("SampleRate"), nullptr);
    EXPECT_TRUE(TarnCommandFactory::Terminate()); // at count 0: nothing happens
    EXPECT_EQ(InitCount(), 0u);
}

TEST_F(EmbeddedLifecycle, DirectoriesAreNotReadWhenFilesAreEmbedded)
{
    // A broken file in "./" and in the additional path would fail the start.
    const std::string broken = "Broken Tarn CommandTypeMajor NOWHERE;";
    std::ofstream("./lifecycle_broken.tcd") << broken;
    ASSERT_TRUE(TarnCommandFactory::SetInitializationAdditionalPath("."));
    CoutCapture capture;
    EXPECT_TRUE(TarnCommandFactory::Initialize());
    EXPECT_EQ(FindCommandFormat("Broken"), nullptr);
    EXPECT_TRUE(TarnCommandFactory::Terminate());
    std::remove("./lifecycle_broken.tcd");
}

TEST_F(EmbeddedLifecycle, VerboseStartWritesProgressAndDumps)
{
    TarnCommandFactory::SetVerbosity(true, false);
    CoutCapture capture;
    ASSERT_TRUE(TarnCommandFactory::Initialize());
    const std::string text = capture.Text();
    EXPECT_EQ(
        text.rfind("\n<-> Initializing TarnLink...\n\nParsing Tarn Command Definition File : IDR_RT_TCDFILE_1\n", 0),
        0u);
    EXPECT_NE(text.find("\nTarn Command AudioHostChanMute precomputed packet size information as follows..."),
              std::string::npos);
    EXPECT_NE(text.find("\n\nTarnLink initialized Hardware Capabilites"), std::string::npos);
    const std::string finished = "\n<->Finished initializing TarnLink - no errors.";
    EXPECT_EQ(text.substr(text.size() - finished.size()), finished);
    EXPECT_TRUE(TarnCommandFactory::Terminate());
}

TEST_F(EmbeddedLifecycle, RefusedStateRefusesEveryStart)
{
    SetCleanShutdown(false);
    CoutCapture capture;
    EXPECT_FALSE(TarnCommandFactory::Initialize());
    EXPECT_FALSE(TarnCommandFactory::Initialize());
    EXPECT_EQ(capture.Text(), "\n<-> ERROR TarnLink did not terminate cleanly!\n"
                              "\n<-> ERROR TarnLink did not terminate cleanly!\n");
    EXPECT_EQ(InitCount(), 0u);
    EXPECT_TRUE(GetNameRegistry().empty());
    SetCleanShutdown(true);
}

TEST_F(EmbeddedLifecycle, AdditionalPathRules)
{
    EXPECT_FALSE(TarnCommandFactory::SetInitializationAdditionalPath(nullptr));
    EXPECT_EQ(AdditionalPath(), nullptr);
    EXPECT_FALSE(TarnCommandFactory::SetInitializationAdditionalPath(""));
    ASSERT_NE(AdditionalPath(), nullptr);
    EXPECT_EQ(*AdditionalPath(), "");
    EXPECT_TRUE(TarnCommandFactory::SetInitializationAdditionalPath("/some/where"));
    EXPECT_EQ(*AdditionalPath(), "/some/where");

    ASSERT_TRUE(TarnCommandFactory::Initialize());
    EXPECT_TRUE(TarnCommandFactory::Terminate());
    EXPECT_EQ(AdditionalPath(), nullptr);
}

TEST_F(EmbeddedLifecycle, DisabledEmbeddedDefinitionsAreReadFromDirectories)
{
    TarnLink::TarnDictionary::SetEmbeddedFilesEnabled(false, true);
    CoutCapture capture;
    ASSERT_TRUE(TarnCommandFactory::SetInitializationAdditionalPath(TARNLINK_SOURCE_DIR "/resources/tcd"));
    EXPECT_TRUE(TarnCommandFactory::Initialize());
    const CommandFormat* format = FindCommandFormat("AudioHostChanMute");
    ASSERT_NE(format, nullptr);
    EXPECT_NE(format->SourceFile().find("/resources/tcd/"), std::string::npos);
    EXPECT_TRUE(TarnCommandFactory::Terminate());
    TarnLink::TarnDictionary::SetEmbeddedFilesEnabled(true, true);
}

} // namespace
