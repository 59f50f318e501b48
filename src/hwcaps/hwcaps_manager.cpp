#include "hwcaps/conduit_caps_map.h"
#include "hwcaps/hardware_detection.h"
#include "tarnlink/TarnHWCaps.h"
#include "platform/process_wide.h"

namespace TarnLink {
namespace HWCaps {

namespace {

// Made by the first Instance, destroyed by Destroy; only the manager itself
// may create and destroy one.
struct ManagerInstance {
    TarnHWCapsManager* manager = nullptr;
};

TarnHWCapsManager*& InstanceSlot() { return TarnLinkPrivate::ProcessWide<ManagerInstance>().manager; }

} // namespace

TarnHWCapsManager::TarnHWCapsManager() = default;

// The detected sets own every capability set the manager ever pointed to.
TarnHWCapsManager::~TarnHWCapsManager() { TarnLinkPrivate::DestroyConduitCapsMap(); }

TarnHWCapsManager* TarnHWCapsManager::Instance()
{
    TarnHWCapsManager*& instance = InstanceSlot();
    if (instance == nullptr) {
        instance = new TarnHWCapsManager();
        instance->UpdateHWCaps();
    }
    return instance;
}

void TarnHWCapsManager::Destroy()
{
    TarnHWCapsManager*& instance = InstanceSlot();
    delete instance;
    instance = nullptr;
}

// A previous set without base id is no longer reachable once replaced, so it
// goes.
void TarnHWCapsManager::UpdateHWCaps()
{
    currentCaps_ = TarnLinkPrivate::DetectHardwareCaps();
    currentCapsHolder_.SetPtr(currentCaps_);
    if (currentCaps_ != TarnLinkPrivate::UnmappedCaps()) {
        TarnLinkPrivate::KeepUnmappedCaps(nullptr);
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
