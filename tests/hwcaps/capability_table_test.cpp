#include <functional>
#include <map>
#include <ostream>
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

    bool operator==(const Answer& other) const
    {
        return found == other.found && integer == other.integer && text == other.text;
    }
};

void PrintTo(const Answer& answer, std::ostream* out)
{
    *out << (answer.found ? "found " : "not found ") << answer.integer << " \"" << answer.text << '"';
}

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

// The unconditional answers of one shipped capability file, by function name,
// as the file reads (a boolean is true only for TRUE; PeripheralName is
// handed out with blanks for its underscores).
struct ShippedSet {
    const char* hardwareType;
    std::set<std::string> trueBooleans;           // every other boolean function answers false
    std::map<std::string, std::int32_t> integers; // every other integer function finds nothing
    std::map<std::string, std::string> strings;   // every other string function finds nothing
};

void PrintTo(const ShippedSet& set, std::ostream* out) { *out << set.hardwareType; }

const ShippedSet kShippedSets[] = {
    {"AVCIboard", {"GetSupportsHardwareDVCodec", "GetSupportsRealtimeAVCIEncoding"}, {}, {}},
    {"BreakoutHD",
     {"FrameBufferSupportsMultipleRates",
      "GetAllowRTEffectsForDigitalCutInHD",
      "GetAllowRTEffectsForDigitalCutInSD",
      "GetIsSDControl",
      "GetLTCDuringSingleFramePlay",
      "GetOutputDeviceSupportsFullResUncompHD",
      "GetOutputDeviceSupportsQuarterRes",
      "GetOutputDeviceSupportsReducedRes",
      "GetOutputDeviceSupportsSixteenthRes",
      "GetSDIIsSharedHDAndSD",
      "GetShareComponentOutSDHD",
      "GetShareRefAndTriLevel",
      "GetSoftwareReset",
      "GetSupports1080True24toNTSC",
      "GetSupports10bit",
      "GetSupportsAESorSPDIFAudioIn",
      "GetSupportsAESorSPDIFAudioOut",
      "GetSupportsCachedVideoLine",
      "GetSupportsDolbyE",
      "GetSupportsGennum",
      "GetSupportsHD",
      "GetSupportsHD1080P30",
      "GetSupportsHWPassthroughMixer",
      "GetSupportsInputLock",
      "GetSupportsInputStartDelay",
      "GetSupportsLTCInput",
      "GetSupportsLTCOutput",
      "GetSupportsMultiStandardMastering",
      "GetSupportsQuill",
      "GetSupportsQuillAncillaryData",
      "GetSupportsRealTimeData",
      "GetSupportsRefLock",
      "GetSupportsTrilevelSync",
      "GetSupportsVideoInType",
      "GetSupportsVideoOutputAdjustments",
      "GetUsesHVControls",
      "IsCompatibleWithGPUEffects",
      "SupportsCrossconvertDownconvertWarning"},
     {{"GetAudioCurrentNumChannels", 8},
      {"GetCachedVideoLineWidth_NTSC", 720},
      {"GetCachedVideoLineWidth_PAL", 720},
      {"GetConduitBaseID", 3000},
      {"GetDefaultVideoOutput", 4},
      {"GetEmbedQuillAncillaryDataSlotCount", 4},
      {"GetMaxAudioChannels", 8},
      {"GetMaxMonitorChanToMute", 8},
      {"GetMaxPassthroughMixChannels", 8},
      {"GetMaxPunchInChannels", 8},
      {"GetMaxVideoLineNumberNTSC", 21},
      {"GetMaxVideoLineNumberPAL", 22},
      {"GetMinVideoLineNumberNTSC", 10},
      {"GetMinVideoLineNumberPAL", 6},
      {"GetNumberOfInputStatusLocksRecommended", 2},
      {"GetWin32RecommendedVirtualMemoryInMB", 2048}},
     {{"GetAudioChannelEnumeration", "1,2,3,4,5,6,7,8"}, {"GetPeripheralName", "Studio Breakout HD"}}},
    {"BreakoutSD",
     {"GetAllowRTEffectsForDigitalCutInSD",
      "GetIsSDControl",
      "GetLTCDuringSingleFramePlay",
      "GetOutputDeviceSupportsQuarterRes",
      "GetOutputDeviceSupportsReducedRes",
      "GetSoftwareReset",
      "GetSupports10bit",
      "GetSupportsAESorSPDIFAudioIn",
      "GetSupportsAESorSPDIFAudioOut",
      "GetSupportsCachedVideoLine",
      "GetSupportsGennum",
      "GetSupportsHWPassthroughMixer",
      "GetSupportsInputLock",
      "GetSupportsInputStartDelay",
      "GetSupportsLTCInput",
      "GetSupportsLTCOutput",
      "GetSupportsOnly48kHzAudio",
      "GetSupportsRealTimeData",
      "GetSupportsRefLock",
      "GetSupportsVideoInType",
      "GetSupportsVideoOutputAdjustments",
      "GetUsesHVControls",
      "IsCompatibleWithGPUEffects"},
     {{"GetAudioCurrentNumChannels", 8},
      {"GetCachedVideoLineWidth_NTSC", 720},
      {"GetCachedVideoLineWidth_PAL", 720},
      {"GetConduitBaseID", 3000},
      {"GetDefaultVideoOutput", 3},
      {"GetEmbedQuillAncillaryDataSlotCount", 0},
      {"GetMaxAudioChannels", 8},
      {"GetMaxMonitorChanToMute", 8},
      {"GetMaxPassthroughMixChannels", 8},
      {"GetMaxPunchInChannels", 8},
      {"GetMaxVideoLineNumberNTSC", 21},
      {"GetMaxVideoLineNumberPAL", 22},
      {"GetMinVideoLineNumberNTSC", 10},
      {"GetMinVideoLineNumberPAL", 6},
      {"GetNumberOfInputStatusLocksRecommended", 2},
      {"GetWin32RecommendedVirtualMemoryInMB", 1536}},
     {{"GetAudioChannelEnumeration", "1,2,3,4,5,6,7,8"}, {"GetPeripheralName", "Studio Breakout SD"}}},
    {"HDBoard",
     {"FrameBufferSupportsMultipleRates", "GetAllowRTEffectsForDigitalCutInHD",
      "GetOutputDeviceSupportsFullResUncompHD", "GetOutputDeviceSupportsSixteenthRes", "GetSDIIsSharedHDAndSD",
      "GetShareComponentOutSDHD", "GetShareRefAndTriLevel", "GetSupports1080True24toNTSC", "GetSupportsHD",
      "GetSupportsHD1080P30", "GetSupportsMultiStandardMastering", "GetSupportsTrilevelSync",
      "SupportsCrossconvertDownconvertWarning"},
     {{"GetConduitBaseID", 3000}, {"GetDefaultVideoOutput", 4}, {"GetWin32RecommendedVirtualMemoryInMB", 2048}},
     {{"GetPeripheralName", "Studio Breakout SD with HD Board"}}},
    {"NULL", {}, {}, {}},
    {"OHCI",
     {"GetHighPerformanceSDResUnsupported", "GetIsDigitalSource", "GetIsGlobalControl", "GetIsHiddenControl",
      "GetIsSDControl", "GetOutputDeviceDoesThePulldown", "GetReleasesHWForSharing", "GetSupportsConsumerInputControls",
      "GetSupportsHardwareDVCodec", "GetSupportsInputStartDelay", "GetSupportsOnlyHELModeScrubbing",
      "GetSupportsPyroOHCI", "GetSupportsSeparate1394Bus", "GetSupportsVDMOnly", "GetUsesDVADM",
      "IsCompatibleWithGPUEffects", "RequiresSwitchFor1394DIOCoexistence"},
     {{"GetAudioCurrentNumChannels", 2},
      {"GetConduitBaseID", 1000},
      {"GetDefaultVideoOutput", 5},
      {"GetEmbedQuillAncillaryDataSlotCount", 0},
      {"GetMaxAudioChannels", 2},
      {"GetMaxMonitorChanToMute", 2},
      {"GetMaxPassthroughMixChannels", 0},
      {"GetMaxPunchInChannels", 0},
      {"GetNumberOfInputStatusLocksRecommended", 1},
      {"GetWin32RecommendedVirtualMemoryInMB", 1024}},
     {{"GetAudioChannelEnumeration", "1,2"}, {"GetPeripheralName", "FireWire DV Device"}}},
    {"StudioBox",
     {"FrameBufferSupportsMultipleRates",
      "GetAllowRTEffectsForDigitalCutInHD",
      "GetAllowRTEffectsForDigitalCutInSD",
      "GetIsSDControl",
      "GetLTCDuringSingleFramePlay",
      "GetOutputDeviceDoesThePulldown",
      "GetOutputDeviceSupportsFullResUncompHD",
      "GetOutputDeviceSupportsQuarterRes",
      "GetOutputDeviceSupportsReducedRes",
      "GetOutputDeviceSupportsSixteenthRes",
      "GetReleasesHWForSharing",
      "GetSoftwareReset",
      "GetSupports1080True24toNTSC",
      "GetSupports10bit",
      "GetSupportsAESorSPDIFAudioIn",
      "GetSupportsAESorSPDIFAudioOut",
      "GetSupportsCachedVideoLine",
      "GetSupportsDolbyE",
      "GetSupportsGennum",
      "GetSupportsHD",
      "GetSupportsHD1080P30",
      "GetSupportsHWPassthroughMixer",
      "GetSupportsInputLock",
      "GetSupportsInputStartDelay",
      "GetSupportsLTCInput",
      "GetSupportsLTCOutput",
      "GetSupportsMultiStandardMastering",
      "GetSupportsQuill",
      "GetSupportsQuillAncillaryData",
      "GetSupportsRealTimeData",
      "GetSupportsRefLock",
      "GetSupportsRGB",
      "GetSupportsRGBdualLink",
      "GetSupportsTrilevelSync",
      "GetSupportsVideoInType",
      "GetSupportsVideoOutputAdjustments",
      "GetUsesHVControls",
      "IsCompatibleWithGPUEffects",
      "RequiresAlphaInRLE",
      "SupportsCrossconvertDownconvertWarning"},
     {{"GetAudioCurrentNumChannels", 16},
      {"GetCachedVideoLineWidth_NTSC", 720},
      {"GetCachedVideoLineWidth_PAL", 720},
      {"GetConduitBaseID", 4000},
      {"GetDefaultVideoOutput", 4},
      {"GetEmbedQuillAncillaryDataSlotCount", 8},
      {"GetMaxAudioChannels", 16},
      {"GetMaxMonitorChanToMute", 16},
      {"GetMaxPassthroughMixChannels", 16},
      {"GetMaxPunchInChannels", 16},
      {"GetMaxVideoLineNumberNTSC", 21},
      {"GetMaxVideoLineNumberPAL", 22},
      {"GetMinVideoLineNumberNTSC", 10},
      {"GetMinVideoLineNumberPAL", 6},
      {"GetNumberOfInputStatusLocksRecommended", 3},
      {"GetWin32RecommendedVirtualMemoryInMB", 3072}},
     {{"GetAudioChannelEnumeration", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16"}, {"GetPeripheralName", "Studio Box"}}},
};

Answer ExpectedAnswer(const ShippedSet& set, const ExpectedFunction& function)
{
    Answer answer;
    switch (function.kind) {
    case Kind::kBoolean:
        answer.found = set.trueBooleans.count(function.name) != 0;
        break;
    case Kind::kInteger:
        if (const auto integer = set.integers.find(function.name); integer != set.integers.end()) {
            answer = {true, integer->second, ""};
        }
        break;
    case Kind::kString:
        if (const auto text = set.strings.find(function.name); text != set.strings.end()) {
            answer = {true, 0, text->second};
        }
        break;
    }
    return answer;
}

class ShippedSetTest : public HWCapsTest, public ::testing::WithParamInterface<ShippedSet> {};

TEST_P(ShippedSetTest, EveryFunctionAnswersWhatTheFileHolds)
{
    const ShippedSet& set = GetParam();
    FakeHardware hardware;
    hardware.typeId = set.hardwareType;
    TarnLink::TarnCommandFactory::InstallTargetConduit(&hardware.conduit, 1);
    {
        CoutCapture detection;
        ASSERT_STREQ(TarnHWCapsManager::Instance()->GetHWCapsPtr()->GetHWGuidOrName(), set.hardwareType);
    }
    for (std::size_t n = 0; n < std::size(kExpectedFunctions); ++n) {
        EXPECT_EQ(kTableFunctions[n].call(), ExpectedAnswer(set, kExpectedFunctions[n])) << kExpectedFunctions[n].name;
    }
}

INSTANTIATE_TEST_SUITE_P(ShippedFiles, ShippedSetTest, ::testing::ValuesIn(kShippedSets),
                         [](const ::testing::TestParamInfo<ShippedSet>& shipped) {
                             return shipped.param.hardwareType;
                         });

} // namespace
