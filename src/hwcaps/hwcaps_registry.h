#ifndef TARNLINK_HWCAPS_HWCAPS_REGISTRY_H
#define TARNLINK_HWCAPS_HWCAPS_REGISTRY_H

// Every loaded capability set, by hardware type name. An entry may have lost
// its data (discarded before a reload) but keeps its name.

#include <cstdint>
#include <memory>
#include <string>

#include "hwcaps/hwcaps_data.h"
#include "platform/process_wide.h"
#include "tarnlink/TarnHWCaps.h"

namespace TarnLinkPrivate {

// True when the type has an entry; data receives its set (null when discarded).
bool FindHWCapsEntry(const std::string& hardwareType, HWCapsData** data);
// The set registered under the handle's type name, null when the type has
// none or its data was discarded: the set the handle reads, unless the handle
// outlived a discard or Terminate (it then reads none). The route of tests and
// checks into a set's content.
HWCapsData* RegisteredDataOf(const TarnLink::HWCaps::TarnHWCaps& caps);
// Moves on each time the registry destroys sets, which the host never does
// while it asks capability questions, so a plain integer serves. Inline:
// every question through a handle reads it.
struct HWCapsRegistryGenerationCounter {
    std::uint64_t value = 0;
};
inline std::uint64_t HWCapsRegistryGeneration() { return ProcessWide<HWCapsRegistryGenerationCounter>().value; }
// Registers the set under its hardware type and takes it; false, leaving data
// with the caller, when the type has an entry already.
bool RegisterHWCapsData(std::unique_ptr<HWCapsData>& data);
// Destroys every set but keeps the names.
void DiscardHWCapsData();
// Destroys every set and the registry itself.
void TearDownHWCapsRegistry();

} // namespace TarnLinkPrivate

#endif
