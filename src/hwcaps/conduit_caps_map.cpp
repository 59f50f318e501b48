#include "hwcaps/conduit_caps_map.h"

#include <map>
#include <memory>

namespace TarnLinkPrivate {

using TarnLink::HWCaps::TarnHWCaps;

namespace {

using ConduitCapsMap = std::map<std::int32_t, TarnHWCaps*>;

std::unique_ptr<ConduitCapsMap>& MapStorage()
{
    static std::unique_ptr<ConduitCapsMap> map;
    return map;
}

} // namespace

TarnHWCaps* FindConduitCaps(std::int32_t conduitBaseId)
{
    const std::unique_ptr<ConduitCapsMap>& map = MapStorage();
    if (!map) {
        return nullptr;
    }
    const auto stored = map->find(conduitBaseId);
    return stored == map->end() ? nullptr : stored->second;
}

void StoreConduitCaps(std::int32_t conduitBaseId, TarnHWCaps* caps)
{
    std::unique_ptr<ConduitCapsMap>& map = MapStorage();
    if (!map) {
        map = std::make_unique<ConduitCapsMap>();
    }
    map->emplace(conduitBaseId, caps);
}

bool ConduitCapsMapHolds(const TarnHWCaps* caps)
{
    const std::unique_ptr<ConduitCapsMap>& map = MapStorage();
    if (!map || caps == nullptr) {
        return false;
    }
    for (const auto& stored : *map) {
        if (stored.second == caps) {
            return true;
        }
    }
    return false;
}

void DestroyConduitCapsMap()
{
    std::unique_ptr<ConduitCapsMap>& map = MapStorage();
    if (!map) {
        return;
    }
    for (auto& stored : *map) {
        TarnLink::HWCaps::TarnHWCapsFactory::DestroyHWCaps(stored.second);
    }
    map.reset();
}

} // namespace TarnLinkPrivate
