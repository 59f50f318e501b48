#ifndef TARNLINK_TOOL_PARAMETER_TEXT_H
#define TARNLINK_TOOL_PARAMETER_TEXT_H

#include <ostream>
#include <string>

#include "tarnlink/TarnCommand.h"
#include "tarnlink/TarnDictionary.h"

namespace TarnLinkTool {

// The value a command holds for a parameter, as a host developer reads it:
// numbers in decimal, a symbol by name, a byte stream as text or hex.
std::string ParameterValueText(const TarnLink::TarnCommand& command, const TarnLink::ParameterInfo& parameter);

// One aligned line per parameter of the definition that the command holds.
void WriteParameterLines(std::ostream& out, const TarnLink::TarnCommand& command, const TarnLink::CommandInfo& info,
                         const char* indent);

} // namespace TarnLinkTool

#endif
