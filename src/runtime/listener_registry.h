#ifndef TARNLINK_RUNTIME_LISTENER_REGISTRY_H
#define TARNLINK_RUNTIME_LISTENER_REGISTRY_H

// The three listener lists. They outlive Terminate.

#include <vector>

#include "tarnlink/TarnHostInterfaces.h"

namespace TarnLinkPrivate {

bool InstallTarnCompileListener(TarnLink::TarnCompileListener* listener);
bool InstallTarnExecutionListener(TarnLink::TarnExecutionListener* listener);
bool InstallTarnTransmitListener(TarnLink::TarnTransmitListener* listener);
bool RemoveTarnCompileListener(TarnLink::TarnCompileListener* listener);
bool RemoveTarnExecutionListener(TarnLink::TarnExecutionListener* listener);
bool RemoveTarnTransmitListener(TarnLink::TarnTransmitListener* listener);

// The lists in calling order, for the executor: compile and execution
// listeners in installation order, transmit listeners by ascending priority.
const std::vector<TarnLink::TarnCompileListener*>& CompileListeners();
const std::vector<TarnLink::TarnTransmitListener*>& TransmitListeners();
const std::vector<TarnLink::TarnExecutionListener*>& ExecutionListeners();

} // namespace TarnLinkPrivate

#endif
