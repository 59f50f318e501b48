#include <memory>

#include "hwcaps/conduit_caps_map.h"
#include "hwcaps/hardware_detection.h"
#include "tarnlink/TarnHWCaps.h"
#include "platform/process_wide.h"

namespace TarnLink {
namespace HWCaps {

namespace {

// Made by the first Instance, destroyed by Destroy; only the manager itself
// may create and destroy one, so the deleter is made by its members.
using ManagerDeleter = void (*)(TarnHWCapsManager*);

struct ManagerInstance {
    std::unique_ptr<TarnHWCapsManager, ManagerDeleter> manager{nullptr, nullptr};
};

ManagerInstance& Slot() { return TarnLinkPrivate::ProcessWide<ManagerInstance>(); }

} // namespace

TarnHWCapsManager::TarnHWCapsManager() = default;

// The detected sets own every capability set the manager ever pointed to.
TarnHWCapsManager::~TarnHWCapsManager() { TarnLinkPrivate::DestroyConduitCapsMap(); }

TarnHWCapsManager* TarnHWCapsManager::Instance()
{
    ManagerInstance& slot = Slot();
    if (slot.manager == nullptr) {
        slot.manager = {new TarnHWCapsManager(), [](TarnHWCapsManager* manager) { delete manager; }};
        slot.manager->UpdateHWCaps();
    }
    return slot.manager.get();
}

void TarnHWCapsManager::Destroy() { Slot().manager.reset(); }

// A previous set without base id is no longer reachable once replaced, so it
// goes.
void TarnHWCapsManager::UpdateHWCaps()
{
    TarnHWCaps* detected = TarnLinkPrivate::DetectHardwareCaps();
    currentCaps_.SetPtr(detected);
    if (detected != TarnLinkPrivate::UnmappedCaps()) {
        TarnLinkPrivate::KeepUnmappedCaps(nullptr);
    }
}

const TarnHWCapsPtr& TarnHWCapsManager::GetHWCapsPtr() const { return currentCaps_; }

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
