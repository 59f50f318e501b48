#include <CLI/CLI.hpp>
#include <memory>
#include <sstream>

#include "subcommands.h"
#include "tool_context.h"

namespace TarnLinkTool {
namespace {

constexpr char kDumpHeading[] = "Definition";
constexpr char kHeaderHeading[] = "Header text";

// The library's texts begin and end with line breaks of their own.
std::string WithoutOuterBlankLines(const std::string& text)
{
    const std::size_t first = text.find_first_not_of("\r\n");
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of("\r\n") - first + 1);
}

template <class Writer>
void WriteSection(std::ostream& out, const char* heading, const std::string& name, Writer writer)
{
    std::ostringstream text;
    writer(name.c_str(), text);
    out << heading << '\n' << WithoutOuterBlankLines(text.str()) << '\n';
}

void RunShow(ToolContext& context, const std::string& name)
{
    context.LoadDictionary();
    RequireCommandInfo(name);
    std::ostream& out = context.Out();
    WriteSection(out, kDumpHeading, name, &TarnLink::TarnDictionary::DumpCommand);
    out << '\n';
    WriteSection(out, kHeaderHeading, name, &TarnLink::TarnDictionary::WriteCommandHeaderText);
}

} // namespace

void AddShowCommand(CLI::App& app, ToolContext& context)
{
    auto name = std::make_shared<std::string>();
    CLI::App* show = app.add_subcommand("show", "Show one definition: its dump and its header text");
    show->add_option("NAME", *name, "Command name, exactly as the dictionary spells it")->required();
    show->callback([&context, name] { RunShow(context, *name); });
}

} // namespace TarnLinkTool
