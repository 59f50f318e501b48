#ifndef TARNLINK_PLATFORM_PROCESS_WIDE_H
#define TARNLINK_PLATFORM_PROCESS_WIDE_H

// The one way the library keeps process-wide state: each module gathers its
// state in one struct of its own (the type is the key) and reaches it through
// ProcessWide<ItsState>(). A host that shuts the library down while the
// process exits (from a static destructor or an atexit handler) must still
// find it, so no state is ever destroyed: a struct with a destructor is made
// on first use and kept, and one without is a plain static. The counters and
// flags that the command path reads on every call are of the second kind and
// have constant initial values, so they are in place before any code runs and
// are read without a first-use check. Terminate empties state explicitly.

#include <type_traits>

namespace TarnLinkPrivate {

template <class State>
State& ProcessWide()
{
    if constexpr (std::is_trivially_destructible_v<State>) {
        static State state;
        return state;
    } else {
        static State* const state = new State();
        return *state;
    }
}

} // namespace TarnLinkPrivate

#endif
