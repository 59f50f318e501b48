#ifndef TARNLINK_HWCAPS_CONDUIT_CAPS_MAP_H
#define TARNLINK_HWCAPS_CONDUIT_CAPS_MAP_H

// The capability sets detected so far, one per conduit base id. The map owns
// its sets.

#include <cstdint>

#include "tarnlink/TarnHWCaps.h"

namespace TarnLinkPrivate {

// Null when the id has no set (or nothing was stored yet).
TarnLink::HWCaps::TarnHWCaps* FindConduitCaps(std::int32_t conduitBaseId);
// Stores caps under the id unless the id has a set already (which stays).
void StoreConduitCaps(std::int32_t conduitBaseId, TarnLink::HWCaps::TarnHWCaps* caps);
bool ConduitCapsMapHolds(const TarnLink::HWCaps::TarnHWCaps* caps);
// Destroys every stored set and the map.
void DestroyConduitCapsMap();

} // namespace TarnLinkPrivate

#endif
