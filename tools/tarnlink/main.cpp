// tarnlink: the dictionary, packets, a virtual device and the capability
// answers of TarnLink from the command line.

#include <CLI/CLI.hpp>
#include <iostream>

#include "subcommands.h"
#include "tool_context.h"

namespace {

constexpr char kDescription[] =
    "TarnLink from the command line: look up commands, see their packets, run scripts against a virtual device "
    "and ask what the hardware can do.";
constexpr char kErrorPrefix[] = "tarnlink: error: ";
constexpr char kUnknownSubcommand[] = "unknown subcommand '";
constexpr char kHelpHint[] = " (see tarnlink --help)";

int Fail(const std::string& message, int exitCode)
{
    std::cerr << kErrorPrefix << message << '\n';
    return exitCode;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace TarnLinkTool;
    try {
        ToolContext context(std::cout);
        CLI::App app(kDescription, "tarnlink");
        // Paths such as "/tmp/x.tarn" (Wine, MSYS) are arguments, not "/option"s.
        app.allow_windows_style_options(false);
        app.set_version_flag("--version", std::string("tarnlink ") + TARNLINK_TOOL_VERSION);
        app.require_subcommand(1);
        app.fallthrough();
        context.AddGlobalOptions(app);
        AddListCommand(app, context);
        AddShowCommand(app, context);
        AddHeaderCommand(app, context);
        AddCompileCommand(app, context);
        AddDecodeCommand(app, context);
        AddRunCommand(app, context);
        AddCapsCommand(app, context);
        AddCrcCommand(app, context);
        AddServeCommand(app, context);
        try {
            app.parse(argc, argv);
        } catch (const CLI::ParseError& error) {
            if (error.get_exit_code() == 0) {
                return app.exit(error, context.Out(), std::cerr); // --help, --version
            }
            if (app.get_subcommands().empty() && !app.remaining().empty()) {
                return Fail(kUnknownSubcommand + app.remaining().front() + "'" + kHelpHint, kExitUsage);
            }
            return Fail(error.what() + std::string(kHelpHint), kExitUsage);
        } catch (const UsageFailure& failure) {
            return Fail(failure.what(), kExitUsage);
        } catch (const CommandFailure& failure) {
            context.Out().flush();
            return Fail(failure.what(), kExitCommandFailure);
        }
        context.Out().flush();
        return kExitSuccess;
    } catch (const std::exception& error) {
        return Fail(error.what(), kExitCommandFailure);
    }
}
