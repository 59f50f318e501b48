#include "conduit_override.h"

#include "runtime/conduit_registry.h"
#include "tarnlink/TarnHWCaps.h"

namespace TarnLinkPrivate {

bool OverrideConduit(TarnLink::TarnConduit* conduit)
{
    if (!ReplaceCurrentConduit(conduit)) {
        return false;
    }
    TarnLink::HWCaps::TarnHWCapsManager* manager = TarnLink::HWCaps::TarnHWCapsManager::Instance();
    if (manager == nullptr) {
        return true;
    }
    manager->UpdateHWCaps();
    // The time-outs follow the hardware behind the new conduit; its lock keeps
    // executions from compiling while they change.
    StackBasedMutexCaller newConduitLock(GetConduit());
    TarnLink::HWCaps::TarnHWCapsFactory::ClearOverrideTimeouts();
    const TarnLink::HWCaps::TarnHWCaps* caps = manager->GetHWCapsPtr().Get();
    if (caps != nullptr) {
        caps->ConfigureOverrideTimeoutsFromHWCaps();
    }
    return true;
}

} // namespace TarnLinkPrivate
