#include "trace_writer.h"

#include <chrono>
#include <cstdint>
#include <sstream>

#include "tool_context.h"

namespace TarnLinkTool {
namespace {

constexpr char kCannotWrite[] = "cannot write the trace file ";
constexpr char kTimeStamp[] = "\n@time ";
constexpr char kEntryEnd[] = " ;";
constexpr char kSendOpening[] = "tarn send ";
constexpr char kRequestOpening[] = "tarn request ";

std::uint32_t MillisecondTicks()
{
    const auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(sinceStart).count());
}

} // namespace

TraceWriter::TraceWriter(const std::filesystem::path& path) : file_(path, std::ios::binary)
{
    if (!file_) {
        throw CommandFailure(kCannotWrite + path.string());
    }
}

void TraceWriter::Write(const TarnLink::TarnCommand& command)
{
    file_ << kTimeStamp << MillisecondTicks() << kEntryEnd;
    if (command.IsSendCommand()) {
        command.WriteParsable(file_);
        return;
    }
    // The library writes a request without its parameters; written as a send
    // and renamed, it keeps them.
    TarnLink::TarnCommand asSend(command);
    asSend.SetupSendCommand();
    std::ostringstream text;
    asSend.WriteParsable(text);
    std::string statement = text.str();
    const std::size_t opening = statement.find(kSendOpening);
    if (opening != std::string::npos) {
        statement.replace(opening, sizeof(kSendOpening) - 1, kRequestOpening);
    }
    file_ << statement;
}

} // namespace TarnLinkTool
