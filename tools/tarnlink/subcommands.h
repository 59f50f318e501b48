#ifndef TARNLINK_TOOL_SUBCOMMANDS_H
#define TARNLINK_TOOL_SUBCOMMANDS_H

#include <string>

#include "tarnlink/TarnCommand.h"
#include "tarnlink/TarnDictionary.h"

namespace CLI {
class App;
}

namespace TarnLinkTool {

class ToolContext;

// Each adds its subcommand to the application; its callback throws
// CommandFailure or UsageFailure when it cannot do its work.
void AddListCommand(CLI::App& app, ToolContext& context);
void AddShowCommand(CLI::App& app, ToolContext& context);
void AddHeaderCommand(CLI::App& app, ToolContext& context);
void AddCompileCommand(CLI::App& app, ToolContext& context);
void AddDecodeCommand(CLI::App& app, ToolContext& context);
void AddRunCommand(CLI::App& app, ToolContext& context);
void AddCapsCommand(CLI::App& app, ToolContext& context);
void AddCrcCommand(CLI::App& app, ToolContext& context);
void AddServeCommand(CLI::App& app, ToolContext& context);

// Helpers the subcommands share.
std::string StatusName(TarnLink::CommandStatus_t status);
// The definition of name; an unknown name throws a CommandFailure.
TarnLink::CommandInfo RequireCommandInfo(const std::string& name);

} // namespace TarnLinkTool

#endif
