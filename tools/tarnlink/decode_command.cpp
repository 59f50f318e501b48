#include <CLI/CLI.hpp>
#include <memory>
#include <vector>

#include "hex_text.h"
#include "parameter_text.h"
#include "subcommands.h"
#include "tarnlink/TarnCommandByteCode.h"
#include "tarnlink/TarnCommandFactory.h"
#include "tool_context.h"

namespace TarnLinkTool {
namespace {

constexpr char kMalformedHex[] =
    "malformed hex: expected bytes such as '0B 0B 00 04 40 2E 00 00' or '0B0B0004402E0000'";
constexpr char kMetaRefused[] = " is a meta command: its answers come as a sequence of packets";
constexpr char kDecodeFailed[] = "the response could not be decoded: ";
constexpr char kStatusLabel[] = "status  ";

struct DecodeOptions {
    std::string name;
    std::vector<std::string> hex;
    bool request = false;
};

void RunDecode(ToolContext& context, const DecodeOptions& options)
{
    std::vector<unsigned char> bytes;
    std::string joined;
    for (const std::string& group : options.hex) {
        joined += group + ' ';
    }
    if (!ParseHex(joined, &bytes)) {
        throw UsageFailure(kMalformedHex);
    }
    context.LoadDictionary();
    const TarnLink::CommandInfo info = RequireCommandInfo(options.name);
    if (info.kind == TarnLink::CommandKind::kMeta) {
        throw CommandFailure(info.name + kMetaRefused);
    }
    TarnLink::TarnCommand command(options.name.c_str());
    if (options.request) {
        command.SetupRequestDataCommand();
    }
    TarnLink::TarnCommandByteCode response;
    response.CopyByteCodePacketBuffer(bytes.data(), bytes.size());
    TarnLink::CommandStatus_t status = TarnLink::kTLSuccess;
    const bool decoded = TarnLink::TarnCommandFactory::DecompileTarnByteCode(command, response, &status, false);
    if (!decoded) {
        throw CommandFailure(kDecodeFailed + StatusName(status));
    }
    context.Out() << kStatusLabel << StatusName(command.GetStatus()) << '\n';
    WriteParameterLines(context.Out(), command, info, "");
}

} // namespace

void AddDecodeCommand(CLI::App& app, ToolContext& context)
{
    auto options = std::make_shared<DecodeOptions>();
    CLI::App* decode = app.add_subcommand("decode", "Decode a response packet into its status and parameters");
    decode->add_option("NAME", options->name, "Command the response answers")->required();
    decode->add_option("HEX", options->hex, "The response's bytes in hex")->required();
    decode->add_flag("--request", options->request,
                     "The response answers a request-data command (it carries the parameters)");
    decode->callback([&context, options] { RunDecode(context, *options); });
}

} // namespace TarnLinkTool
