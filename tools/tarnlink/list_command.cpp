#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <iomanip>
#include <memory>
#include <sstream>
#include <vector>

#include "subcommands.h"
#include "tool_context.h"

namespace TarnLinkTool {
namespace {

constexpr int kAddressWidth = 18;
constexpr char kNoMatch[] = "no command matches '";
constexpr const char* kKindNames[] = {"tarn", "diag", "meta"};

struct ListOptions {
    std::string kind;
    std::string pattern;
};

char Lower(char character) { return static_cast<char>(std::tolower(static_cast<unsigned char>(character))); }

// Glob match with * and ?, ignoring case.
bool GlobMatches(const char* pattern, const char* text)
{
    if (*pattern == '\0') {
        return *text == '\0';
    }
    if (*pattern == '*') {
        return GlobMatches(pattern + 1, text) || (*text != '\0' && GlobMatches(pattern, text + 1));
    }
    return *text != '\0' && (*pattern == '?' || Lower(*pattern) == Lower(*text)) && GlobMatches(pattern + 1, text + 1);
}

// A plain word matches names that contain it; a word with * or ? is a glob.
bool NameMatches(const std::string& pattern, const std::string& name)
{
    if (pattern.find_first_of("*?") != std::string::npos) {
        return GlobMatches(pattern.c_str(), name.c_str());
    }
    auto equal = [](char a, char b) { return Lower(a) == Lower(b); };
    return std::search(name.begin(), name.end(), pattern.begin(), pattern.end(), equal) != name.end();
}

const char* KindName(TarnLink::CommandKind kind) { return kKindNames[static_cast<int>(kind)]; }

std::string HexByte(std::uint32_t value)
{
    std::ostringstream text;
    text << std::uppercase << std::hex << std::setw(2) << std::setfill('0') << (value & 0xFFu);
    return text.str();
}

std::string Addressing(const TarnLink::CommandInfo& info)
{
    switch (info.kind) {
    case TarnLink::CommandKind::kTarn: {
        std::ostringstream text;
        text << std::left << std::setw(kAddressWidth)
             << info.majorName + " " + std::to_string(info.minor) + "/" + std::to_string(info.function) << "set "
             << HexByte(info.function * 2) << " get " << HexByte(info.function * 2 + 1);
        return text.str();
    }
    case TarnLink::CommandKind::kDiag:
        return "opcode " + std::to_string(info.opcode);
    case TarnLink::CommandKind::kMeta:
        return info.startCommand + " > " + info.repeatCommand + " > " + info.stopCommand;
    }
    return std::string();
}

void RunList(ToolContext& context, const ListOptions& options)
{
    context.LoadDictionary();
    std::vector<TarnLink::CommandInfo> shown;
    std::size_t nameWidth = 0;
    for (const std::string& name : TarnLink::TarnDictionary::GetCommandNames()) {
        TarnLink::CommandInfo info;
        if (!TarnLink::TarnDictionary::GetCommandInfo(name.c_str(), &info) ||
            (!options.kind.empty() && options.kind != KindName(info.kind)) ||
            (!options.pattern.empty() && !NameMatches(options.pattern, name))) {
            continue;
        }
        nameWidth = std::max(nameWidth, name.size());
        shown.push_back(std::move(info));
    }
    if (shown.empty()) {
        throw CommandFailure(kNoMatch + options.pattern + "'" +
                             (options.kind.empty() ? "" : " of kind " + options.kind));
    }
    std::ostream& out = context.Out();
    for (const TarnLink::CommandInfo& info : shown) {
        out << std::left << std::setw(static_cast<int>(nameWidth)) << info.name << "  " << KindName(info.kind) << "  "
            << Addressing(info) << '\n';
    }
    out << std::right;
}

} // namespace

void AddListCommand(CLI::App& app, ToolContext& context)
{
    auto options = std::make_shared<ListOptions>();
    CLI::App* list = app.add_subcommand("list", "List the dictionary: one command a line with its kind and addressing");
    list->add_option("--kind", options->kind, "Only commands of this kind")
        ->check(CLI::IsMember({"tarn", "diag", "meta"}));
    list->add_option("PATTERN", options->pattern,
                     "Only names that contain PATTERN, or match it when it has * or ? (case ignored)");
    list->callback([&context, options] { RunList(context, *options); });
}

} // namespace TarnLinkTool
