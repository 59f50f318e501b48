#include <CLI/CLI.hpp>
#include <memory>
#include <typeinfo>
#include <vector>

#include "hex_text.h"
#include "statement_reader.h"
#include "subcommands.h"
#include "tarnlink/TarnCommandByteCode.h"
#include "tarnlink/TarnCommandFactory.h"
#include "tool_context.h"

namespace TarnLinkTool {
namespace {

constexpr char kStatementSource[] = "statement";
constexpr char kNoStatement[] = "no statement given, e.g. 'send SampleRate SampleRate SYMBOL SR_48000Hz .'";
constexpr char kMetaRefused[] = " is a meta command: it runs as a sequence of packets (try tarnlink run)";
constexpr char kCompileFailed[] = "compiling ";
constexpr char kFailedWith[] = " failed: ";

std::string JoinWords(const std::vector<std::string>& words)
{
    std::string text;
    for (const std::string& word : words) {
        text += word;
        text += ' ';
    }
    return text;
}

std::vector<unsigned char> CompileOne(TarnLink::TarnCommand& command)
{
    const TarnLink::CommandInfo info = RequireCommandInfo(command.GetCommandName());
    if (info.kind == TarnLink::CommandKind::kMeta) {
        throw CommandFailure(info.name + kMetaRefused);
    }
    TarnLink::TarnCommandByteCode byteCode;
    TarnLink::CommandStatus_t status = TarnLink::kTLSuccess;
    bool compiled = false;
    try {
        compiled = TarnLink::TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, &status);
    } catch (const std::bad_cast&) {
        throw CommandFailure(kCompileFailed + info.name + kFailedWith + kTypeMismatch);
    }
    if (!compiled) {
        throw CommandFailure(kCompileFailed + info.name + kFailedWith + StatusName(status));
    }
    unsigned char* buffer = nullptr;
    std::size_t length = 0;
    byteCode.GetPacketByteCodeBuffer(&buffer);
    byteCode.GetPacketByteCodeBufferLength(&length);
    return std::vector<unsigned char>(buffer, buffer + length);
}

void RunCompile(ToolContext& context, const std::vector<std::string>& words)
{
    context.LoadDictionary();
    StatementReader reader(JoinWords(words), kStatementSource);
    TarnLink::TarnCommand command;
    bool any = false;
    while (reader.Next(&command)) {
        any = true;
        context.Out() << FormatHex(CompileOne(command)) << '\n';
    }
    if (!any) {
        throw UsageFailure(kNoStatement);
    }
}

} // namespace

void AddCompileCommand(CLI::App& app, ToolContext& context)
{
    auto words = std::make_shared<std::vector<std::string>>();
    CLI::App* compile = app.add_subcommand("compile", "Compile a statement and print its packet in hex");
    compile
        ->add_option("STATEMENT", *words,
                     "Parsable command text, 'tarn' optional: "
                     "'send AudioHostChanMute HostChannel UINT8 5 Mute SYMBOL AudioHostChan_MuteOn .'")
        ->required();
    compile->callback([&context, words] { RunCompile(context, *words); });
}

} // namespace TarnLinkTool
