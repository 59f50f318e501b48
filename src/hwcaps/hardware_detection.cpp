#include <cstring>
#include <ostream>

#include "diagnostics/diagnostics.h"
#include "hwcaps/conduit_caps_map.h"
#include "hwcaps/hardware_detection.h"
#include "runtime/executor.h"
#include "tarnlink/TarnHWCaps.h"

// Finding out which hardware is attached: the hardware names its type, then
// lists its sub-components, whose optional capability sets are merged into
// the type's set.

namespace TarnLinkPrivate {

namespace {

using TarnLink::TarnCommand;
using TarnLink::HWCaps::TarnHWCaps;
using TarnLink::HWCaps::TarnHWCapsFactory;

constexpr char kNoHWCapsFound[] = "\nTarnHWCapsManager::CreateMyHWCaps No HWCaps file found setting to NULL";
constexpr char kAddToMapFailed[] = "TarnHWCapsManager::AddTarnHWCapsToMap - Failed to AddTarnHWCapsToMap";
constexpr char kSubcompCountFailed[] = "CreateMyHWCaps - HardwareSubcompCount command failed";
constexpr char kSubcompCountMissing[] = "CreateMyHWCaps - HardwareSubcompCount command failed to get NumSubcomponents";
constexpr char kSubcompInfoFailed[] = "CreateMyHWCaps - HardwareSubcompInfo command failed";
constexpr char kSubcompTypeIdMissing[] = "CreateMyHWCaps - HardwareSubcompInfo command failed to get TypeID";
constexpr char kTypeIdTooLarge[] = "CreateMyHWCaps - TypeID too large for local buffer";
constexpr char kHDBoardNotFound[] = "CreateMyHWCaps - HWCaps for HD Board not found";

constexpr char kHardwareTypeID[] = "HardwareTypeID";
constexpr char kHardwareSubcompCount[] = "HardwareSubcompCount";
constexpr char kHardwareSubcompInfo[] = "HardwareSubcompInfo";
constexpr char kTypeID[] = "TypeID";
constexpr char kNumSubcomponents[] = "NumSubcomponents";
constexpr char kNthSubcomponent[] = "NthSubcomponent";

constexpr char kConduitBaseIDProperty[] = "TarnConduitBaseID";
constexpr char kHasSubcompCountProperty[] = "HasHardwareSubcompCount";
constexpr char kNullHardwareType[] = "NULL";
constexpr char kHDBoardName[] = "HD Board";
constexpr char kHDBoardType[] = "HDBoard";
constexpr char kCodecModuleName[] = "Codec Module : ID 0x7";
constexpr char kCodecModuleType[] = "AVCIboard";

// Room for a type ID and its terminating zero.
constexpr std::size_t kTypeIdBufferSize = 128;

struct TypeIdBuffer {
    char text[kTypeIdBufferSize] = {};
};

TarnCommand RequestDataCommand(const char* name)
{
    TarnCommand command(name);
    command.SetupRequestDataCommand();
    return command;
}

std::int32_t IntegerPropertyOr(const TarnHWCaps& caps, const char* name, std::int32_t fallback)
{
    std::int32_t value = fallback;
    caps.GetPropertyAsInteger(name, &value, nullptr);
    return value;
}

// The type ID that the main hardware reports; false when it reports none or
// one that does not fit the buffer.
bool ReadMainTypeId(TypeIdBuffer& typeId)
{
    TarnCommand command = RequestDataCommand(kHardwareTypeID);
    std::size_t length = 0;
    if (!Execute(command) || !command.GetParamByteStreamLength(kTypeID, &length) || length == 0 ||
        length >= kTypeIdBufferSize) {
        return false;
    }
    return command.GetParamByteStream(kTypeID, typeId.text, kTypeIdBufferSize - 1, &length);
}

void ReadSubcomponentTypeId(unsigned char index, TypeIdBuffer& typeId)
{
    TarnCommand command = RequestDataCommand(kHardwareSubcompInfo);
    command.SetParamUInt8(kNthSubcomponent, index);
    if (!Execute(command)) {
        ErrorMessage(kSubcompInfoFailed);
    }
    std::size_t length = 0;
    if (!command.GetParamByteStreamLength(kTypeID, &length)) {
        ErrorMessage(kSubcompTypeIdMissing);
        length = 0;
    }
    if (length + 2 > kTypeIdBufferSize) {
        ErrorMessage(kTypeIdTooLarge);
        length = 0;
    }
    if (length != 0) {
        command.GetParamByteStream(kTypeID, typeId.text, kTypeIdBufferSize - 1, &length);
    }
}

unsigned char ReadSubcomponentCount()
{
    TarnCommand command = RequestDataCommand(kHardwareSubcompCount);
    if (!Execute(command)) {
        ErrorMessage(kSubcompCountFailed);
    }
    unsigned char count = 0;
    if (!command.GetParamUInt8(kNumSubcomponents, count)) {
        ErrorMessage(kSubcompCountMissing);
        count = 0;
    }
    return count;
}

// False when the option's set could not be merged in.
bool MergeOption(TarnHWCaps& caps, const char* optionType)
{
    const OwnedHWCaps option(TarnHWCapsFactory::CreateHWCaps(optionType));
    return option != nullptr && caps.MergeHWCaps(option.get());
}

void MergeSubcomponent(TarnHWCaps& caps, const char* typeId)
{
    if (std::strcmp(typeId, kHDBoardName) == 0 || std::strcmp(typeId, kHDBoardType) == 0) {
        if (!MergeOption(caps, kHDBoardType)) {
            ErrorMessage(kHDBoardNotFound);
        }
    }
    if (std::strcmp(typeId, kCodecModuleName) == 0) {
        MergeOption(caps, kCodecModuleType);
    }
}

void MergeSubcomponents(TarnHWCaps& caps)
{
    const unsigned char count = ReadSubcomponentCount();
    for (unsigned char index = 0; index < count; ++index) {
        TypeIdBuffer typeId;
        ReadSubcomponentTypeId(index, typeId);
        MergeSubcomponent(caps, typeId.text);
    }
}

void MergeSubcomponentsIfListed(TarnHWCaps& caps)
{
    if (IntegerPropertyOr(caps, kHasSubcompCountProperty, 1) != 0) {
        MergeSubcomponents(caps);
    }
}

} // namespace

TarnHWCaps* DetectHardwareCaps()
{
    TypeIdBuffer typeId;
    OwnedHWCaps caps(ReadMainTypeId(typeId) ? TarnHWCapsFactory::CreateHWCaps(typeId.text) : nullptr);
    if (caps == nullptr) {
        ErrorMessage(kNoHWCapsFound);
        return KeepUnmappedCaps(OwnedHWCaps(TarnHWCapsFactory::CreateHWCaps(kNullHardwareType)));
    }
    const std::int32_t baseId = IntegerPropertyOr(*caps, kConduitBaseIDProperty, 0);
    if (TarnHWCaps* known = FindConduitCaps(baseId)) {
        return known;
    }
    if (baseId == 0) {
        // Kept only once complete: the set it replaces may still be asked
        // while the sub-components are read.
        ErrorMessage(kAddToMapFailed);
        MergeSubcomponentsIfListed(*caps);
        return KeepUnmappedCaps(std::move(caps));
    }
    // Stored before the sub-components are read, so that questions asked
    // meanwhile about this base id find it.
    TarnHWCaps* detected = StoreConduitCaps(baseId, std::move(caps));
    MergeSubcomponentsIfListed(*detected);
    return detected;
}

} // namespace TarnLinkPrivate
