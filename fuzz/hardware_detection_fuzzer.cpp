// Detecting the attached hardware against a device that answers the
// identification commands from the fuzzer's bytes: detection ends, the set
// it settles on is one of the loaded ones, and every capability question
// answers, for the attached hardware and for the set's conduit base id.

#include <cstring>
#include <string>

#include "capability_questions.h"
#include "fuzz_input.h"
#include "library_setup.h"
#include "lying_device.h"
#include "tarnlink/TarnHWCaps.h"

namespace {

using TarnLink::HWCaps::TarnHWCaps;
using TarnLink::HWCaps::TarnHWCapsFactory;
using TarnLink::HWCaps::TarnHWCapsManager;

constexpr std::int32_t kConduitId = 1;
constexpr char kBaseIdProperty[] = "TarnConduitBaseID";

LyingDevice& InstalledDevice()
{
    static LyingDevice device;
    static const bool installed = [] {
        InitializeLibraryOnce();
        return TarnLink::TarnCommandFactory::InstallTargetConduit(&device, kConduitId);
    }();
    Require(installed, "the device is installed");
    return device;
}

void CheckSettledSet()
{
    const TarnHWCaps* current = TarnHWCapsManager::Instance()->GetHWCapsPtr().Get();
    CapabilityQuestions::AskAll(nullptr, 0);
    if (current == nullptr) {
        return;
    }
    TarnHWCaps* loaded = TarnHWCapsFactory::CreateHWCaps(current->GetHWGuidOrName());
    Require(loaded != nullptr && std::strcmp(loaded->GetHWGuidOrName(), current->GetHWGuidOrName()) == 0,
            "detection settles on a loaded set");
    TarnHWCapsFactory::DestroyHWCaps(loaded);
    std::int32_t baseId = 0;
    if (current->GetPropertyAsInteger(kBaseIdProperty, &baseId, nullptr)) {
        CapabilityQuestions::AskAll(nullptr, baseId);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    LyingDevice& device = InstalledDevice();
    FuzzInput input(data, size);
    device.AnswerFrom(&input);
    Require(TarnLink::TarnCommandFactory::OverrideConduit(&device), "the device becomes the current conduit");
    CheckSettledSet();
    TarnHWCapsManager::Instance()->UpdateHWCaps();
    CheckSettledSet();

    // Detection merges optional sets into the loaded ones: the next input
    // starts from the files as they were.
    device.AnswerFrom(nullptr);
    TarnHWCapsManager::Destroy();
    TarnHWCapsFactory::Terminate();
    Require(TarnHWCapsFactory::InitHardwareCapabilitiesInfo(nullptr), "the capability files load again");
    return 0;
}
