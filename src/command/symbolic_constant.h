#ifndef TARNLINK_COMMAND_SYMBOLIC_CONSTANT_H
#define TARNLINK_COMMAND_SYMBOLIC_CONSTANT_H

// Turning a parameter set by symbol into the number its definition gives it.

#include "command/parameter_value.h"
#include "dictionary/command_format.h"

namespace TarnLinkPrivate {

// Replaces the symbol a command holds for the parameter (null when unset) by
// the symbol's value, held as the parameter's own integer type. False when no
// symbol is held, the definition has no such symbol, or the type is not an
// integer.
bool ConvertSymbolicConstant(ParameterValue* value, const CommandFormat& definition,
                             const ParameterDefinition& parameter);

} // namespace TarnLinkPrivate

#endif
