#ifndef TARNLINK_COMMAND_COMMAND_DEFINITION_H
#define TARNLINK_COMMAND_COMMAND_DEFINITION_H

// The definition of a command's name: found when the command is named and
// kept while the dictionary stays the same, since a host compiles, executes
// and decompiles the same command again and again.

#include "command/command_state.h"

namespace TarnLinkPrivate {

// Null when the dictionary has no definition of that name.
inline const CommandFormat* DefinitionOf(const TarnLink::TarnCommand& command) { return StateOf(command).Definition(); }

} // namespace TarnLinkPrivate

#endif
