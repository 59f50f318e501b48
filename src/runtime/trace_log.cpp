#include "runtime/trace_log.h"

#include <ostream>

#include "platform/platform.h"
#include "platform/process_wide.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kTimeStampPrefix[] = "\n@time ";
constexpr char kTimeStampSuffix[] = " ;";

std::ostream*& TraceLog() { return ProcessWide<TraceLogFile>().stream; }

} // namespace

bool OpenExecutionTraceLogfile(const char* path)
{
    CloseExecutionTraceLogfile();
    if (path == nullptr) {
        return false;
    }
    TraceLog() = Platform::OpenTruncatedOutputFile(path).release();
    return TraceLog() != nullptr;
}

bool CloseExecutionTraceLogfile()
{
    // Destroying the file stream writes out its buffer and closes the file.
    delete TraceLog();
    TraceLog() = nullptr;
    return true;
}

void WriteTimeStampedEntry(std::ostream& log, const TarnLink::TarnCommand& command)
{
    log << kTimeStampPrefix << Platform::TickCountMilliseconds() << kTimeStampSuffix;
    command.WriteParsable(log);
}

} // namespace TarnLinkPrivate
