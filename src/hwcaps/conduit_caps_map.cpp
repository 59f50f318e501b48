#include "hwcaps/conduit_caps_map.h"
#include "platform/process_wide.h"

#include <map>

namespace TarnLinkPrivate {

using TarnLink::HWCaps::TarnHWCaps;

namespace {

struct DetectedCaps {
    std::map<std::int32_t, OwnedHWCaps> byConduitBaseId;
    OwnedHWCaps unmapped;
};

DetectedCaps& Detected() { return ProcessWide<DetectedCaps>(); }

} // namespace

TarnHWCaps* FindConduitCaps(std::int32_t conduitBaseId)
{
    const auto& byId = Detected().byConduitBaseId;
    const auto stored = byId.find(conduitBaseId);
    return stored == byId.end() ? nullptr : stored->second.get();
}

TarnHWCaps* StoreConduitCaps(std::int32_t conduitBaseId, OwnedHWCaps caps)
{
    return Detected().byConduitBaseId.try_emplace(conduitBaseId, std::move(caps)).first->second.get();
}

TarnHWCaps* KeepUnmappedCaps(OwnedHWCaps caps)
{
    Detected().unmapped = std::move(caps);
    return Detected().unmapped.get();
}

TarnHWCaps* UnmappedCaps() { return Detected().unmapped.get(); }

void DestroyConduitCapsMap()
{
    Detected().unmapped.reset();
    Detected().byConduitBaseId.clear();
}

} // namespace TarnLinkPrivate
