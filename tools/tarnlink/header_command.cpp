#include <CLI/CLI.hpp>
#include <fstream>
#include <memory>

#include "subcommands.h"
#include "tool_context.h"

namespace TarnLinkTool {
namespace {

constexpr char kCannotWrite[] = "cannot write ";

void RunHeader(ToolContext& context, const std::string& outputPath)
{
    context.LoadDictionary();
    if (outputPath.empty()) {
        TarnLink::TarnDictionary::WriteHeaderText(context.Out());
        context.Out() << '\n';
        return;
    }
    std::ofstream file(context.UserPath(outputPath));
    if (!file || !TarnLink::TarnDictionary::WriteHeaderText(file) || !(file << '\n')) {
        throw CommandFailure(kCannotWrite + outputPath);
    }
}

} // namespace

void AddHeaderCommand(CLI::App& app, ToolContext& context)
{
    auto outputPath = std::make_shared<std::string>();
    CLI::App* header = app.add_subcommand("header", "Write the C header text of the whole dictionary");
    header->add_option("-o,--output", *outputPath, "Write to FILE instead of standard output")->type_name("FILE");
    header->callback([&context, outputPath] { RunHeader(context, *outputPath); });
}

} // namespace TarnLinkTool
