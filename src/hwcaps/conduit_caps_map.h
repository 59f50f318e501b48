#ifndef TARNLINK_HWCAPS_CONDUIT_CAPS_MAP_H
#define TARNLINK_HWCAPS_CONDUIT_CAPS_MAP_H

// The capability sets that detection made. This store owns every one of them:
// one set per conduit base id, and the latest set of hardware that has no
// base id (or of no hardware). The manager and the hosts only look at them.

#include <cstdint>
#include <memory>

#include "tarnlink/TarnHWCaps.h"

namespace TarnLinkPrivate {

struct HWCapsDestroyer {
    void operator()(TarnLink::HWCaps::TarnHWCaps* caps) const
    {
        TarnLink::HWCaps::TarnHWCapsFactory::DestroyHWCaps(caps);
    }
};

// A capability set made by TarnHWCapsFactory::CreateHWCaps, destroyed with it.
using OwnedHWCaps = std::unique_ptr<TarnLink::HWCaps::TarnHWCaps, HWCapsDestroyer>;

// Null when the id has no set (or nothing was stored yet).
TarnLink::HWCaps::TarnHWCaps* FindConduitCaps(std::int32_t conduitBaseId);
// Stores caps under the id unless the id has a set already (which stays, caps
// then being destroyed); gives the set stored under the id.
TarnLink::HWCaps::TarnHWCaps* StoreConduitCaps(std::int32_t conduitBaseId, OwnedHWCaps caps);
// Keeps caps as the set without base id, destroying the one kept before;
// gives the set kept. Null destroys the kept set.
TarnLink::HWCaps::TarnHWCaps* KeepUnmappedCaps(OwnedHWCaps caps);
TarnLink::HWCaps::TarnHWCaps* UnmappedCaps();
// Destroys every stored set.
void DestroyConduitCapsMap();

} // namespace TarnLinkPrivate

#endif
