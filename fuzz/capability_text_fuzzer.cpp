// Capability file text: two sets read from the input are registered, the
// second merged into the first, the first detected as the attached hardware
// and asked every capability question, with no condition and with each of
// its condition lists, then all of it released.

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "capability_questions.h"
#include "fuzz_input.h"
#include "hwcaps/hwc_parser.h"
#include "hwcaps/hwcaps_data.h"
#include "hwcaps/hwcaps_registry.h"
#include "library_setup.h"
#include "lying_device.h"
#include "tarnlink/TarnHWCaps.h"

namespace {

using TarnLink::HWCaps::CmdParamConditionList;
using TarnLink::HWCaps::TarnHWCaps;
using TarnLink::HWCaps::TarnHWCapsFactory;
using TarnLink::HWCaps::TarnHWCapsManager;

constexpr std::int32_t kConduitId = 1;

// Registers the text as a capability file; gives its hardware type, empty
// when it did not register.
std::string Register(const std::string& text, const char* fileName)
{
    auto data = std::make_unique<TarnLinkPrivate::HWCapsData>();
    std::istringstream file(text);
    if (!TarnLinkPrivate::ParseHWCStream(*data, file, fileName)) {
        return "";
    }
    const std::string hardwareType = data->HardwareType();
    return TarnLinkPrivate::RegisterHWCapsData(data) ? hardwareType : "";
}

// The device names hardwareType when asked for its type, and nothing else.
std::vector<std::uint8_t> IdentificationAnswer(const std::string& hardwareType)
{
    const auto lengthCode = static_cast<std::uint16_t>(hardwareType.size() - 1);
    std::vector<std::uint8_t> answer{LyingDevice::kFilledCommand, static_cast<std::uint8_t>(lengthCode >> 8),
                                     static_cast<std::uint8_t>(lengthCode)};
    answer.insert(answer.end(), hardwareType.begin(), hardwareType.end());
    return answer;
}

void DetectAs(const std::string& hardwareType)
{
    static LyingDevice device;
    static const bool installed = TarnLink::TarnCommandFactory::InstallTargetConduit(&device, kConduitId);
    Require(installed, "the device is installed");
    // Making the manager detects once; the override detects again, and
    // only that detection hears the answer.
    device.AnswerFrom(nullptr);
    TarnHWCapsManager::Instance();
    const std::vector<std::uint8_t> answer = IdentificationAnswer(hardwareType);
    FuzzInput identification(answer.data(), answer.size());
    device.AnswerFrom(&identification);
    Require(TarnLink::TarnCommandFactory::OverrideConduit(&device), "the device becomes the current conduit");
    device.AnswerFrom(nullptr);
}

void AskEveryQuestion(const TarnHWCaps& caps)
{
    CapabilityQuestions::AskAll(nullptr, 0);
    for (std::int32_t n = 0; n < caps.GetNumCmdParamConditionLists(); ++n) {
        char keyname[256] = {};
        Require(caps.GetNthCmdParamConditionListKeyname(n, keyname, sizeof keyname), "each condition list is named");
        std::unique_ptr<CmdParamConditionList> cond(caps.CreateCmdParamConditionListByKeyname(keyname));
        if (cond) {
            CapabilityQuestions::AskAll(cond.get(), 0);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InitializeLibraryOnce();
    TarnHWCapsManager::Destroy();
    TarnHWCapsFactory::Terminate();

    FuzzInput input(data, size);
    const std::size_t split = input.Integer<std::uint16_t>() % (input.Remaining() + 1);
    const std::string first = Register(input.Bytes(split), "first.hwc");
    const std::string second = Register(input.Rest(), "second.hwc");
    if (first.empty()) {
        return 0;
    }
    TarnHWCaps* caps = TarnHWCapsFactory::CreateHWCaps(first.c_str());
    Require(caps != nullptr && TarnLinkPrivate::RegisteredDataOf(*caps) != nullptr, "a registered set has data");
    if (!second.empty()) {
        TarnHWCaps* merged = TarnHWCapsFactory::CreateHWCaps(second.c_str());
        caps->MergeHWCaps(merged);
        TarnHWCapsFactory::DestroyHWCaps(merged);
    }
    if (first.size() < 128) {
        DetectAs(first);
        const TarnHWCaps* current = TarnHWCapsManager::Instance()->GetHWCapsPtr().Get();
        Require(current != nullptr && first == current->GetHWGuidOrName(), "the named hardware is detected");
    }
    AskEveryQuestion(*caps);
    TarnHWCapsFactory::DestroyHWCaps(caps);
    Require(caps == nullptr, "a released handle is cleared");
    return 0;
}
