#include "hwcaps/hwcaps_registry.h"
#include "platform/process_wide.h"

#include <functional>
#include <map>
#include <string_view>

namespace TarnLinkPrivate {

namespace {

// Transparent comparison finds a handle's type name without copying it.
using HWCapsRegistry = std::map<std::string, std::unique_ptr<HWCapsData>, std::less<>>;

struct RegistryState {
    HWCapsRegistry registry;
};

HWCapsRegistry& Registry() { return ProcessWide<RegistryState>().registry; }

void MoveGenerationOn() { ++ProcessWide<HWCapsRegistryGenerationCounter>().value; }

} // namespace

bool FindHWCapsEntry(const std::string& hardwareType, HWCapsData** data)
{
    const HWCapsRegistry& registry = Registry();
    const auto entry = registry.find(hardwareType);
    if (entry == registry.end()) {
        return false;
    }
    *data = entry->second.get();
    return true;
}

HWCapsData* RegisteredDataOf(const TarnLink::HWCaps::TarnHWCaps& caps)
{
    const HWCapsRegistry& registry = Registry();
    const auto entry = registry.find(std::string_view(caps.GetHWGuidOrName()));
    return entry != registry.end() ? entry->second.get() : nullptr;
}

bool RegisterHWCapsData(std::unique_ptr<HWCapsData>& data)
{
    const std::string hardwareType = data->HardwareType();
    return Registry().try_emplace(hardwareType, std::move(data)).second;
}

void DiscardHWCapsData()
{
    MoveGenerationOn();
    for (auto& entry : Registry()) {
        entry.second.reset();
    }
}

void TearDownHWCapsRegistry()
{
    MoveGenerationOn();
    HWCapsRegistry().swap(Registry());
}

} // namespace TarnLinkPrivate
