#ifndef TARNLINK_RUNTIME_CONDUIT_REGISTRY_H
#define TARNLINK_RUNTIME_CONDUIT_REGISTRY_H

// The conduit table, the current conduit and the scoped conduit lock.

#include <cstdint>

#include "platform/process_wide.h"
#include "tarnlink/TarnHostInterfaces.h"

namespace TarnLinkPrivate {

bool InstallTargetConduit(TarnLink::TarnConduit* conduit, std::int32_t conduitId);
bool RemoveTargetConduit(TarnLink::TarnConduit* conduit, std::int32_t conduitId);
// The table and locking part of an override: false when conduit is not null,
// a table exists and no entry holds it; otherwise conduit becomes current,
// swapped under the old current conduit's lock.
bool ReplaceCurrentConduit(TarnLink::TarnConduit* conduit);
// The current conduit sits apart from the table, in a plain static, so that
// every execution reads it without a first-use check. Inline for the same reason.
struct CurrentConduit {
    TarnLink::TarnConduit* conduit = nullptr;
};
inline TarnLink::TarnConduit* GetConduit() { return ProcessWide<CurrentConduit>().conduit; }
TarnLink::TarnConduit* GetConduitFromID(std::int32_t conduitId);
std::int32_t GetConduitListSize();
TarnLink::TarnConduit* GetNthConduit(int n, std::int32_t* conduitId);

// For Terminate: clears the current conduit and frees the table without
// calling any conduit.
void ForgetConduits();

// Locks a conduit for the life of the object; null locks nothing. Inline:
// every execution takes the lock.
class StackBasedMutexCaller {
public:
    explicit StackBasedMutexCaller(TarnLink::TarnConduit* conduit) : conduit_(conduit)
    {
        if (conduit_ != nullptr) {
            conduit_->Lock();
        }
    }
    ~StackBasedMutexCaller()
    {
        if (conduit_ != nullptr) {
            conduit_->Unlock();
        }
    }
    StackBasedMutexCaller(const StackBasedMutexCaller&) = delete;
    StackBasedMutexCaller& operator=(const StackBasedMutexCaller&) = delete;

private:
    TarnLink::TarnConduit* conduit_;
};

} // namespace TarnLinkPrivate

#endif
