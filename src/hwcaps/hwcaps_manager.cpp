#include "hwcaps/conduit_caps_map.h"
#include "tarnlink/TarnHWCaps.h"

namespace TarnLink {
namespace HWCaps {

TarnHWCapsManager* TarnHWCapsManager::sInstance = nullptr;

TarnHWCapsManager::TarnHWCapsManager() = default;

// Each set is destroyed once: the map's sets with the map, the current set
// only when the map does not hold it.
TarnHWCapsManager::~TarnHWCapsManager()
{
    if (!TarnLinkPrivate::ConduitCapsMapHolds(currentCaps_)) {
        TarnHWCapsFactory::DestroyHWCaps(currentCaps_);
    }
    TarnLinkPrivate::DestroyConduitCapsMap();
}

TarnHWCapsManager* TarnHWCapsManager::Instance()
{
    if (sInstance == nullptr) {
        sInstance = new TarnHWCapsManager();
        sInstance->UpdateHWCaps();
    }
    return sInstance;
}

void TarnHWCapsManager::Destroy()
{
    delete sInstance;
    sInstance = nullptr;
}

// A previous set that the map does not hold (hardware without base id) is no
// longer reachable once replaced, so it goes.
void TarnHWCapsManager::UpdateHWCaps()
{
    TarnHWCaps* previous = currentCaps_;
    currentCaps_ = CreateMyHWCaps();
    currentCapsHolder_.SetPtr(currentCaps_);
    if (previous != currentCaps_ && !TarnLinkPrivate::ConduitCapsMapHolds(previous)) {
        TarnHWCapsFactory::DestroyHWCaps(previous);
    }
}

const TarnHWCapsPtr& TarnHWCapsManager::GetHWCapsPtr() const { return currentCapsHolder_; }

const TarnHWCaps* TarnHWCapsManager::GetHWCapsPtr(std::int32_t conduitId) const
{
    return TarnLinkPrivate::FindConduitCaps(conduitId);
}

void TarnHWCapsManager::SetInterceptor(TarnHWCapsInterceptor* interceptor, std::int32_t conduitId)
{
    interceptor_ = interceptor;
    interceptorConduitId_ = conduitId;
}

TarnHWCapsInterceptor* TarnHWCapsManager::GetInterceptor() const { return interceptor_; }

std::int32_t TarnHWCapsManager::GetInterceptorConduitID() const { return interceptorConduitId_; }

} // namespace HWCaps
} // namespace TarnLink
