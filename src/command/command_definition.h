#ifndef TARNLINK_COMMAND_COMMAND_DEFINITION_H
#define TARNLINK_COMMAND_COMMAND_DEFINITION_H

// The definition of a command's name, remembered in the command while the
// dictionary stays the same: a host compiles, executes and decompiles the same
// command again and again.

#include "dictionary/command_format.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

// Null when the dictionary has no definition of that name.
const CommandFormat* DefinitionOf(const TarnLink::TarnCommand& command);

} // namespace TarnLinkPrivate

#endif
