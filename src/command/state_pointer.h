#ifndef TARNLINK_COMMAND_STATE_POINTER_H
#define TARNLINK_COMMAND_STATE_POINTER_H

// How the library reaches the private state of TarnCommand and
// TarnCommandByteCode. Each public class has one private data member, a
// pointer to its state, and declares neither a friend nor an accessor, so a
// host finds nothing in the headers to name or define that opens the state
// (defining a class of the state's name grants no access to the public
// class). The classes are standard-layout, which makes the object and its
// first member pointer-interconvertible: the cast below is well-defined, and
// the assertion keeps it so if a member is ever added.

#include <type_traits>

namespace TarnLinkPrivate {

template <class State, class Public>
State* const& StatePointerOf(const Public& object)
{
    static_assert(std::is_standard_layout_v<Public> && sizeof(Public) == sizeof(State*),
                  "the public object is its state pointer alone");
    return *reinterpret_cast<State* const*>(&object);
}

template <class State, class Public>
State& StateBehind(Public& object)
{
    return *StatePointerOf<State>(object);
}

template <class State, class Public>
const State& StateBehind(const Public& object)
{
    return *StatePointerOf<State>(object);
}

} // namespace TarnLinkPrivate

#endif
