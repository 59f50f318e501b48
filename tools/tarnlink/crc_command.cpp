#include <CLI/CLI.hpp>
#include <filesystem>
#include <memory>
#include <sstream>

#include "subcommands.h"
#include "tarnlink/TarnCommandFactory.h"
#include "tool_context.h"

namespace TarnLinkTool {
namespace {

constexpr char kNoDefinitionFiles[] = "no .tcd files in ";
constexpr char kDefinitionExtension[] = ".tcd";
constexpr char kStampFailed[] = "stamping failed";
constexpr char kCheckFailed[] = "a checksum is missing or does not match";

std::size_t CountDefinitionFiles(const std::filesystem::path& directory)
{
    std::size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        count += entry.is_regular_file() && entry.path().extension() == kDefinitionExtension ? 1 : 0;
    }
    return count;
}

// The library walks "./" as well as the directory it is given; running it
// from inside the directory treats each file once.
void RunCrc(ToolContext& context, const std::string& directoryArgument, bool (*operation)(const char*),
            const char* failure)
{
    const std::filesystem::path directory = context.UserPath(directoryArgument);
    if (!std::filesystem::is_directory(directory)) {
        throw CommandFailure(kNoSuchDirectory + directoryArgument);
    }
    if (CountDefinitionFiles(directory) == 0) {
        throw CommandFailure(kNoDefinitionFiles + directoryArgument);
    }
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(directory);
    std::string report;
    const bool succeeded = context.CaptureLibraryReport(operation, nullptr, &report);
    std::filesystem::current_path(previous);

    std::istringstream lines(report);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start != std::string::npos) {
            context.Out() << line.substr(start) << '\n';
        }
    }
    if (!succeeded) {
        throw CommandFailure(failure);
    }
}

void AddCrcTask(CLI::App& crc, ToolContext& context, const char* name, const char* description,
                bool (*operation)(const char*), const char* failure)
{
    auto directory = std::make_shared<std::string>();
    CLI::App* task = crc.add_subcommand(name, description);
    task->add_option("DIR", *directory, "Directory of .tcd files")->required();
    task->callback([&context, directory, operation, failure] { RunCrc(context, *directory, operation, failure); });
}

} // namespace

void AddCrcCommand(CLI::App& app, ToolContext& context)
{
    CLI::App* crc = app.add_subcommand("crc", "Stamp or check the checksum trailers of definition files");
    crc->require_subcommand(1);
    AddCrcTask(*crc, context, "stamp", "Append a checksum trailer to every .tcd file of DIR",
               &TarnLink::TarnCommandFactory::GenerateCRCsForTCDFiles, kStampFailed);
    AddCrcTask(*crc, context, "check", "Check the checksum trailer of every .tcd file of DIR",
               &TarnLink::TarnCommandFactory::VerifyCRCsForTCDFiles, kCheckFailed);
}

} // namespace TarnLinkTool
