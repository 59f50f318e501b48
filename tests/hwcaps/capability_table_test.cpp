#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "fake_hardware.h"
#include "hwcaps_fixture.h"
#include "recording_interceptor.h"
#include "tarnlink/TarnHWCapsQueries.h"

namespace {

namespace HWCaps = TarnLink::HWCaps;

struct ExpectedFunction {
    const char* name;
    const char* key;
    Kind kind;
};

// Written out by hand, apart from the table the functions are made from.
const ExpectedFunction kExpectedFunctions[] = {
    {"FrameBufferSupportsMultipleRates", "FrameBufferSupportsMultipleRates", Kind::kBoolean},
    {"GetAllowRTEffectsForDigitalCutInHD", "AllowRTEffectsForDigitalCutInHD", Kind::kBoolean},
    {"GetAllowRTEffectsForDigitalCutInSD", "AllowRTEffectsForDigitalCutInSD", Kind::kBoolean},
    {"GetAnalogVideoOutUsesAGC", "AnalogVideoOutUsesAGC", Kind::kBoolean},
    {"GetAudioChannelEnumeration", "AudioChannelEnumeration", Kind::kString},
    {"GetAudioCurrentNumChannels", "AudioCurrentNumChannels", Kind::kInteger},
    {"GetCachedVideoLineWidth_NTSC", "CachedVideoLineWidth_NTSC", Kind::kInteger},
    {"GetCachedVideoLineWidth_PAL", "CachedVideoLineWidth_PAL", Kind::kInteger},
    {"GetConduitBaseID", "TarnConduitBaseID", Kind::kInteger},
    {"GetDefaultVideoOutput", "DefaultVideoOutput", Kind::kInteger},
    {"GetEmbedQuillAncillaryDataSlotCount", "EmbedQuillAncillaryDataSlotCount", Kind::kInteger},
    {"GetHighPerformanceSDResUnsupported", "HighPerformanceSDResUnsupported", Kind::kBoolean},
    {"GetIsDigitalSource", "IsDigitalSource", Kind::kBoolean},
    {"GetIsGlobalControl", "IsGlobalControl", Kind::kBoolean},
    {"GetIsHDControl", "IsHDControl", Kind::kBoolean},
    {"GetIsHiddenControl", "IsHiddenControl", Kind::kBoolean},
    {"GetIsSDControl", "IsSDControl", Kind::kBoolean},
    {"GetLTCDuringSingleFramePlay", "LTCDuringSingleFramePlay", Kind::kBoolean},
    {"GetMaxAudioChannels", "MaxAudioChannels", Kind::kInteger},
    {"GetMaxMonitorChanToMute", "MaxMonitorChanToMute", Kind::kInteger},
    {"GetMaxPassthroughMixChannels", "MaxPassthroughMixChannels", Kind::kInteger},
    {"GetMaxPunchInChannels", "MaxPunchInChannels", Kind::kInteger},
    {"GetMaxVideoLineNumberNTSC", "MaxVideoLineNumberNTSC", Kind::kInteger},
    {"GetMaxVideoLineNumberPAL", "MaxVideoLineNumberPAL", Kind::kInteger},
    {"GetMinVideoLineNumberNTSC", "MinVideoLineNumberNTSC", Kind::kInteger},
    {"GetMinVideoLineNumberPAL", "MinVideoLineNumberPAL", Kind::kInteger},
    {"GetNumberOfInputStatusLocksRecommended", "NumberOfInputStatusLocksRecommended", Kind::kInteger},
    {"GetOutputDeviceDoesThePulldown", "OutputDeviceDoesThePulldown", Kind::kBoolean},
    {"GetOutputDeviceSupportsFullResUncompHD", "OutputDeviceSupportsFullResUncompHD", Kind::kBoolean},
    {"GetOutputDeviceSupportsQuarterRes", "OutputDeviceSupportsQuarterRes", Kind::kBoolean},
    {"GetOutputDeviceSupportsReducedRes", "OutputDeviceSupportsReducedRes", Kind::kBoolean},
    {"GetOutputDeviceSupportsSixteenthRes", "OutputDeviceSupportsSixteenthRes", Kind::kBoolean},
    {"GetPeripheralName", "PeripheralName", Kind::kString},
    {"GetReleasesHWForSharing", "ReleasesHWForSharing", Kind::kBoolean},
    {"GetSDIIsSharedHDAndSD", "SDIIsSharedHDAndSD", Kind::kBoolean},
    {"GetShareComponentOutSDHD", "ShareComponentOutSDHD", Kind::kBoolean},
    {"GetShareRefAndTriLevel", "ShareRefAndTriLevel", Kind::kBoolean},
    {"GetSoftwareReset", "SoftwareReset", Kind::kBoolean},
    {"GetSupports1080True24toNTSC", "Supports1080True24toNTSC", Kind::kBoolean},
    {"GetSupports10bit", "Supports10bit", Kind::kBoolean},
    {"GetSupportsAESorSPDIFAudioIn", "SupportsAESorSPDIFAudioIn", Kind::kBoolean},
    {"GetSupportsAESorSPDIFAudioOut", "SupportsAESorSPDIFAudioOut", Kind::kBoolean},
    {"GetSupportsCachedVideoLine", "SupportsCachedVideoLine", Kind::kBoolean},
    {"GetSupportsConsumerInputControls", "SupportsConsumerInputControls", Kind::kBoolean},
    {"GetSupportsDIOOnly", "SupportsDIOOnly", Kind::kBoolean},
    {"GetSupportsDolbyE", "SupportsDolbyE", Kind::kBoolean},
    {"GetSupportsGennum", "SupportsGennum", Kind::kBoolean},
    {"GetSupportsHardwareDVCodec", "SupportsHardwareDVCodec", Kind::kBoolean},
    {"GetSupportsHD", "IsHDSupported", Kind::kBoolean},
    {"GetSupportsHD1080P30", "SupportsHD1080P30", Kind::kBoolean},
    {"GetSupportsHWPassthroughMixer", "SupportsHWPassthroughMixer", Kind::kBoolean},
    {"GetSupportsInputLock", "SupportsInputLock", Kind::kBoolean},
    {"GetSupportsInputStartDelay", "SupportsInputStartDelay", Kind::kBoolean},
    {"GetSupportsLTCInput", "SupportsLTCInput", Kind::kBoolean},
    {"GetSupportsLTCOutput", "SupportsLTCOutput", Kind::kBoolean},
    {"GetSupportsMultiStandardMastering", "SupportsMultiStandardMastering", Kind::kBoolean},
    {"GetSupportsOnly48kHzAudio", "SupportsOnly48kHzAudio", Kind::kBoolean},
    {"GetSupportsOnlyHELModeScrubbing", "SupportsOnlyHELModeScrubbing", Kind::kBoolean},
    {"GetSupportsPyroOHCI", "SupportsPyroOHCI", Kind::kBoolean},
    {"GetSupportsQuill", "SupportsQuill", Kind::kBoolean},
    {"GetSupportsQuillAncillaryData", "IsQuillAncillaryDataSupported", Kind::kBoolean},
    {"GetSupportsRealtimeAVCIEncoding", "SupportsRealtimeAVCIEncoding", Kind::kBoolean},
    {"GetSupportsRealTimeData", "IsRealTimeDataSupported", Kind::kBoolean},
    {"GetSupportsRefLock", "SupportsExtSync", Kind::kBoolean},
    {"GetSupportsRGB", "IsRGBsupported", Kind::kBoolean},
    {"GetSupportsRGBdualLink", "IsRGBdualLinkSupported", Kind::kBoolean},
    {"GetSupportsSeparate1394Bus", "SupportsSeparate1394Bus", Kind::kBoolean},
    {"GetSupportsTrilevelSync", "SupportsTrilevelSync", Kind::kBoolean},
    {"GetSupportsVDMOnly", "SupportsVDMOnly", Kind::kBoolean},
    {"GetSupportsVideoInType", "SupportsVideoInType", Kind::kBoolean},
    {"GetSupportsVideoOutputAdjustments", "SupportsVideoOutputAdjustments", Kind::kBoolean},
    {"GetUsesDVADM", "UsesDV_ADM", Kind::kBoolean},
    {"GetUsesHVControls", "UsesHVControls", Kind::kBoolean},
    {"GetWin32RecommendedVirtualMemoryInMB", "Win32RecommendedVirtualMemoryInMB", Kind::kInteger},
    {"IsCompatibleWithGPUEffects", "CompatibleWithGPUEffects", Kind::kBoolean},
    {"RequiresAlphaInRLE", "RequiresAlphaInRLE", Kind::kBoolean},
    {"RequiresSwitchFor1394DIOCoexistence", "RequiresSwitchFor1394DIOCoexistence", Kind::kBoolean},
    {"SupportsCrossconvertDownconvertWarning", "SupportsCrossconvertDownconvertWarning", Kind::kBoolean},
};

struct Answer {
    bool found = false;
    std::int32_t integer = 0;
    std::string text;
};

Answer Call(bool (*function)(CmdParamConditionList*, std::int32_t))
{
    Answer answer;
    answer.found = function(nullptr, 0);
    return answer;
}

Answer Call(bool (*function)(std::int32_t*, CmdParamConditionList*, std::int32_t))
{
    Answer answer;
    answer.found = function(&answer.integer, nullptr, 0);
    return answer;
}

Answer Call(bool (*function)(char*, std::size_t, CmdParamConditionList*, std::int32_t))
{
    char buffer[256] = {};
    Answer answer;
    answer.found = function(buffer, sizeof buffer, nullptr, 0);
    answer.text = buffer;
    return answer;
}

struct TableFunction {
    const char* name;
    std::function<Answer()> call;
};

#define TARNLINK_HWCAPS_FUNCTION(name, key, kind) {#name, [] { return Call(&HWCaps::name); }},
const TableFunction kTableFunctions[] = {
#include "tarnlink/TarnHWCapsTable.h"
};
#undef TARNLINK_HWCAPS_FUNCTION

// The hardware types of the shipped capability files, read from the files.
std::vector<std::string> ShippedHardwareTypes()
{
    std::vector<std::string> types;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(TARNLINK_SOURCE_DIR) + "/resources/hwc")) {
        std::ifstream file(entry.path());
        std::string word;
        while (file >> word) {
            if (word == "HardwareType" && file >> word) {
                types.push_back(word);
                break;
            }
        }
    }
    return types;
}

// What the current set holds for the key, read through the handle.
Answer Expected(const TarnHWCaps& caps, const ExpectedFunction& function)
{
    Answer answer;
    char text[256] = {};
    const bool isString = caps.GetPropertyAsString(function.key, sizeof text, text, nullptr);
    switch (function.kind) {
    case Kind::kBoolean:
        answer.found =
            isString && (std::string(text) == "TRUE" || std::string(text) == "true" || std::string(text) == "True");
        break;
    case Kind::kInteger:
        answer.found = caps.GetPropertyAsInteger(function.key, &answer.integer, nullptr);
        break;
    case Kind::kString:
        answer.found = isString;
        answer.text = text;
        if (std::string(function.name) == "GetPeripheralName") {
            std::replace(answer.text.begin(), answer.text.end(), '_', ' ');
        }
        break;
    }
    return answer;
}

class CapabilityTableTest : public HWCapsTest {
protected:
    void TearDown() override
    {
        CoutCapture detection;
        TarnHWCapsManager::Instance()->SetInterceptor(nullptr, 0);
        HWCapsTest::TearDown();
    }
};

TEST_F(CapabilityTableTest, EachFunctionAsksForItsOwnKeyAndKind)
{
    ASSERT_EQ(std::size(kTableFunctions), std::size(kExpectedFunctions));
    RecordingInterceptor interceptor;
    CoutCapture detection;
    TarnHWCapsManager::Instance()->SetInterceptor(&interceptor, 0);
    for (std::size_t n = 0; n < std::size(kExpectedFunctions); ++n) {
        const ExpectedFunction& expected = kExpectedFunctions[n];
        EXPECT_STREQ(kTableFunctions[n].name, expected.name);
        interceptor.asked.clear();
        kTableFunctions[n].call();
        EXPECT_EQ(interceptor.asked, (std::vector<Question>{{expected.key, expected.kind, 0}})) << expected.name;
    }
}

TEST_F(CapabilityTableTest, EveryShippedSetAnswersThroughEveryFunction)
{
    const std::vector<std::string> types = ShippedHardwareTypes();
    ASSERT_EQ(types.size(), 7u);
    std::set<std::string> answeredKeys;
    for (const std::string& type : types) {
        TearDown();
        SetUp();
        FakeHardware hardware;
        hardware.typeId = type;
        TarnLink::TarnCommandFactory::InstallTargetConduit(&hardware.conduit, 1);
        RecordingInterceptor interceptor; // asks nothing: the sets answer
        CoutCapture detection;
        TarnHWCapsManager::Instance()->SetInterceptor(&interceptor, 0);
        const TarnHWCaps& caps = *TarnHWCapsManager::Instance()->GetHWCapsPtr().Get();
        for (std::size_t n = 0; n < std::size(kExpectedFunctions); ++n) {
            const Answer expected = Expected(caps, kExpectedFunctions[n]);
            const Answer actual = kTableFunctions[n].call();
            EXPECT_EQ(actual.found, expected.found) << type << " " << kExpectedFunctions[n].name;
            if (caps.HasProperty(kExpectedFunctions[n].key, nullptr)) {
                answeredKeys.insert(kExpectedFunctions[n].key);
            }
            if (expected.found) {
                EXPECT_EQ(actual.integer, expected.integer) << type << " " << kExpectedFunctions[n].name;
                EXPECT_EQ(actual.text, expected.text) << type << " " << kExpectedFunctions[n].name;
            }
        }
    }
    // Together the shipped files define every key.
    for (const ExpectedFunction& function : kExpectedFunctions) {
        EXPECT_EQ(answeredKeys.count(function.key), 1u) << function.key;
    }
}

} // namespace
