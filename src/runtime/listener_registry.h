#ifndef TARNLINK_RUNTIME_LISTENER_REGISTRY_H
#define TARNLINK_RUNTIME_LISTENER_REGISTRY_H

// The three listener lists. They outlive Terminate.

#include "tarnlink/TarnHostInterfaces.h"

namespace TarnLinkPrivate {

bool InstallTarnCompileListener(TarnLink::TarnCompileListener* listener);
bool InstallTarnExecutionListener(TarnLink::TarnExecutionListener* listener);
bool InstallTarnTransmitListener(TarnLink::TarnTransmitListener* listener);
bool RemoveTarnCompileListener(TarnLink::TarnCompileListener* listener);
bool RemoveTarnExecutionListener(TarnLink::TarnExecutionListener* listener);
bool RemoveTarnTransmitListener(TarnLink::TarnTransmitListener* listener);

} // namespace TarnLinkPrivate

#endif
