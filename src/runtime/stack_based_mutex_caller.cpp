#include "runtime/conduit_registry.h"

namespace TarnLinkPrivate {

StackBasedMutexCaller::StackBasedMutexCaller(TarnLink::TarnConduit* conduit) : conduit_(conduit)
{
    if (conduit_ != nullptr) {
        conduit_->Lock();
    }
}

StackBasedMutexCaller::~StackBasedMutexCaller()
{
    if (conduit_ != nullptr) {
        conduit_->Unlock();
    }
}

} // namespace TarnLinkPrivate
