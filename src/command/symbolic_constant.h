#ifndef TARNLINK_COMMAND_SYMBOLIC_CONSTANT_H
#define TARNLINK_COMMAND_SYMBOLIC_CONSTANT_H

// Turning a parameter set by symbol into the number its definition gives it.

#include "dictionary/command_format.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

// Replaces the command's symbol for the parameter by the symbol's value, held
// as the parameter's own integer type. False when the parameter holds no
// symbol, the definition has no such symbol, or the type is not an integer.
bool ConvertSymbolicConstant(TarnLink::TarnCommand& command, const CommandFormat& definition,
                             const ParameterDefinition& parameter);

} // namespace TarnLinkPrivate

#endif
