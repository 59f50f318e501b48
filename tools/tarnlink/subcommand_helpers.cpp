#include "subcommands.h"

#include "tool_context.h"

namespace TarnLinkTool {
namespace {

constexpr char kUnknownCommand[] = "no command named '";
constexpr char kUnknownCommandHint[] = "' in the dictionary (see tarnlink list)";

} // namespace

std::string StatusName(TarnLink::CommandStatus_t status)
{
    TarnLink::TarnCommand holder;
    holder.SetStatus(status);
    return holder.GetStatusAsStringConstant();
}

TarnLink::CommandInfo RequireCommandInfo(const std::string& name)
{
    TarnLink::CommandInfo info;
    if (!TarnLink::TarnDictionary::GetCommandInfo(name.c_str(), &info)) {
        throw CommandFailure(kUnknownCommand + name + kUnknownCommandHint);
    }
    return info;
}

} // namespace TarnLinkTool
