#ifndef TARNLINK_TESTS_HWCAPS_FIXTURE_H
#define TARNLINK_TESTS_HWCAPS_FIXTURE_H

// The library initialized with its embedded files, and helpers that load
// capability files written inline by a test.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>

#include "hwcaps/hwc_file_loader.h"
#include "hwcaps/hwc_parser.h"
#include "hwcaps/hwcaps_data.h"
#include "hwcaps/hwcaps_registry.h"
#include "support/cout_capture.h"
#include "tarnlink/TarnCommandFactory.h"
#include "tarnlink/TarnHWCaps.h"

using TarnLink::HWCaps::CmdParamConditionList;
using TarnLink::HWCaps::TarnHWCaps;
using TarnLink::HWCaps::TarnHWCapsFactory;
using TarnLink::HWCaps::TarnHWCapsManager;

// Releases a handle made by the factory.
struct HWCapsDeleter {
    void operator()(TarnHWCaps* caps) const { TarnHWCapsFactory::DestroyHWCaps(caps); }
};
using HWCapsHandle = std::unique_ptr<TarnHWCaps, HWCapsDeleter>;

class HWCapsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CoutCapture quiet;
        ASSERT_TRUE(TarnLink::TarnCommandFactory::Initialize()) << quiet.Text();
    }
    void TearDown() override
    {
        CoutCapture quiet;
        EXPECT_TRUE(TarnLink::TarnCommandFactory::Terminate()) << quiet.Text();
    }

    static bool Parse(const std::string& text, TarnLinkPrivate::HWCapsData& data, const char* fileName = "t.hwc")
    {
        std::istringstream file(text);
        return TarnLinkPrivate::ParseHWCStream(data, file, fileName);
    }

    // Registers the text as a capability file; its HardwareType must be new.
    static bool Load(const std::string& text, const char* fileName = "t.hwc")
    {
        std::istringstream file(text);
        return TarnLinkPrivate::LoadHWCFile(file, fileName);
    }

    static HWCapsHandle Create(const char* hardwareType)
    {
        return HWCapsHandle(TarnHWCapsFactory::CreateHWCaps(hardwareType));
    }

    // Loads the text and gives a handle on it.
    static HWCapsHandle LoadAndCreate(const std::string& text, const char* hardwareType)
    {
        CoutCapture output;
        EXPECT_TRUE(Load(text)) << output.Text();
        return Create(hardwareType);
    }
};

#endif
