#ifndef TARNLINK_RUNTIME_LISTENER_REGISTRY_H
#define TARNLINK_RUNTIME_LISTENER_REGISTRY_H

// The three listener lists. They outlive Terminate.

#include <cstddef>
#include <vector>

#include "platform/process_wide.h"
#include "tarnlink/TarnHostInterfaces.h"

namespace TarnLinkPrivate {

bool InstallTarnCompileListener(TarnLink::TarnCompileListener* listener);
bool InstallTarnExecutionListener(TarnLink::TarnExecutionListener* listener);
bool InstallTarnTransmitListener(TarnLink::TarnTransmitListener* listener);
bool RemoveTarnCompileListener(TarnLink::TarnCompileListener* listener);
bool RemoveTarnExecutionListener(TarnLink::TarnExecutionListener* listener);
bool RemoveTarnTransmitListener(TarnLink::TarnTransmitListener* listener);

// The list of one kind of listener, made on first use, so that the lists
// exist for hosts that install listeners from their own static initializers.
template <class Listener>
std::vector<Listener*>& ListOf()
{
    return ProcessWide<std::vector<Listener*>>();
}

// How many listeners of all kinds the lists hold, kept beside them in a plain
// static: the executor reads it at each step and, while it is 0, skips the
// lists without reaching them.
struct InstalledListeners {
    std::size_t count = 0;
};
inline bool AnyListenerInstalled() { return ProcessWide<InstalledListeners>().count != 0; }

// The lists in calling order, for the executor: compile and execution
// listeners in installation order, transmit listeners by ascending priority.
// Inline: every execution reads all three.
inline const std::vector<TarnLink::TarnCompileListener*>& CompileListeners()
{
    return ListOf<TarnLink::TarnCompileListener>();
}
inline const std::vector<TarnLink::TarnTransmitListener*>& TransmitListeners()
{
    return ListOf<TarnLink::TarnTransmitListener>();
}
inline const std::vector<TarnLink::TarnExecutionListener*>& ExecutionListeners()
{
    return ListOf<TarnLink::TarnExecutionListener>();
}

} // namespace TarnLinkPrivate

#endif
