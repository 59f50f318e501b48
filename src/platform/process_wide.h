#ifndef TARNLINK_PLATFORM_PROCESS_WIDE_H
#define TARNLINK_PLATFORM_PROCESS_WIDE_H

// The one way the library keeps process-wide state: each module gathers its
// state in one struct of its own (the type is the key) and reaches it through
// ProcessWide<ItsState>(). The struct is made on first use and never
// destroyed, so a host that shuts the library down while the process exits
// (from a static destructor or an atexit handler) still finds it; Terminate
// empties it explicitly.

namespace TarnLinkPrivate {

template <class State>
State& ProcessWide()
{
    static State* const state = new State();
    return *state;
}

} // namespace TarnLinkPrivate

#endif
