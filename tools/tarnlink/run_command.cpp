#include <CLI/CLI.hpp>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>

#include "hex_text.h"
#include "parameter_text.h"
#include "statement_reader.h"
#include "subcommands.h"
#include "tarnlink/TarnCommandFactory.h"
#include "trace_writer.h"
#include "tool_context.h"

namespace TarnLinkTool {
namespace {

constexpr char kStandardInput[] = "-";
constexpr char kStandardInputName[] = "standard input";
constexpr char kCannotRead[] = "cannot read the script ";
constexpr char kRequestLabel[] = "    request   ";
constexpr char kResponseLabel[] = "    response  ";
constexpr char kStatusLabel[] = "    status    ";
constexpr char kErrorLabel[] = "    error     ";
constexpr char kNothingSent[] = "    (nothing sent)\n";
constexpr char kParameterIndent[] = "    ";
constexpr char kSomeFailed[] = "some commands failed";
constexpr std::size_t kShownPacketBytes = 48;

struct RunOptions {
    std::string script;
    std::string tracePath;
    bool fullPackets = false;
    DeviceOptions device;
};

struct ScriptText {
    std::string text;
    std::string source;
};

ScriptText ReadScript(const ToolContext& context, const std::string& script)
{
    if (script.empty() || script == kStandardInput) {
        return {std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()),
                kStandardInputName};
    }
    std::ifstream file(context.UserPath(script), std::ios::binary);
    if (!file) {
        throw CommandFailure(kCannotRead + script);
    }
    return {std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()), script};
}

class ScriptRunner {
public:
    ScriptRunner(ToolContext& context, AttachedDevice& device, const RunOptions& options)
        : out_(context.Out()), device_(device), packetLimit_(options.fullPackets ? kNoByteLimit : kShownPacketBytes)
    {
    }

    // True when the command executed with success.
    bool Execute(TarnLink::TarnCommand& command)
    {
        device_.TakePacketLog();
        bool executed = false;
        try {
            executed = TarnLink::TarnCommandFactory::Execute(command);
        } catch (const std::bad_cast& error) {
            WritePackets(command);
            out_ << kErrorLabel << kTypeMismatch << " (" << error.what() << ")\n";
            return false;
        }
        WritePackets(command);
        out_ << kStatusLabel << StatusName(command.GetStatus()) << '\n';
        const bool succeeded = executed && command.IsStatusSuccess();
        TarnLink::CommandInfo info;
        if (succeeded && command.IsRequestDataCommand() &&
            TarnLink::TarnDictionary::GetCommandInfo(command.GetCommandName(), &info)) {
            WriteParameterLines(out_, command, info, kParameterIndent);
        }
        return succeeded;
    }

private:
    void WritePackets(const TarnLink::TarnCommand& command)
    {
        const std::vector<TarnLink::VirtualPacketExchange> exchanges = device_.TakePacketLog();
        if (exchanges.empty()) {
            out_ << kNothingSent;
        }
        for (const TarnLink::VirtualPacketExchange& exchange : exchanges) {
            if (exchange.commandName != command.GetCommandName()) {
                out_ << kParameterIndent << exchange.commandName << '\n';
            }
            out_ << kRequestLabel << FormatHex(exchange.request, packetLimit_) << '\n';
            out_ << kResponseLabel << FormatHex(exchange.response, packetLimit_) << '\n';
        }
    }

    std::ostream& out_;
    AttachedDevice& device_;
    std::size_t packetLimit_;
};

void RunScript(ToolContext& context, const RunOptions& options)
{
    ScriptText script = ReadScript(context, options.script);
    AttachedDevice& device = context.AttachDevice(options.device);
    std::optional<TraceWriter> trace;
    if (!options.tracePath.empty()) {
        trace.emplace(context.UserPath(options.tracePath));
    }
    StatementReader reader(std::move(script.text), script.source);
    ScriptRunner runner(context, device, options);
    std::ostream& out = context.Out();
    TarnLink::TarnCommand command;
    std::size_t executed = 0;
    std::size_t failed = 0;
    while (reader.Next(&command)) {
        out << (executed == 0 ? "" : "\n") << '[' << reader.LastStatementLine() << "] " << reader.LastStatementText()
            << '\n';
        if (trace) {
            trace->Write(command);
        }
        ++executed;
        if (!runner.Execute(command)) {
            ++failed;
        }
    }
    out << '\n'
        << executed << (executed == 1 ? " command, " : " commands, ") << (executed - failed) << " succeeded, " << failed
        << " failed\n";
    if (failed > 0) {
        throw CommandFailure(kSomeFailed);
    }
}

} // namespace

void AddRunCommand(CLI::App& app, ToolContext& context)
{
    auto options = std::make_shared<RunOptions>();
    CLI::App* run =
        app.add_subcommand("run", "Execute a script of statements against the virtual device or a device server");
    run->add_option("SCRIPT", options->script,
                    "Statements to execute (a trace log replays as it is); '-' or none: standard input");
    run->add_option("--trace", options->tracePath, "Write the executed statements to FILE as a trace log")
        ->type_name("FILE");
    run->add_flag("--full-packets", options->fullPackets, "Print long packets in full");
    context.AddDeviceOptions(*run, options->device);
    run->callback([&context, options] { RunScript(context, *options); });
}

} // namespace TarnLinkTool
