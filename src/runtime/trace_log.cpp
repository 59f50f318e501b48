#include "runtime/trace_log.h"

#include <memory>
#include <ostream>

#include "platform/platform.h"
#include "platform/process_wide.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kTimeStampPrefix[] = "\n@time ";
constexpr char kTimeStampSuffix[] = " ;";

// Touched only under the current conduit's lock while executing; opening and
// closing must not overlap an execution.
struct TraceLogFile {
    std::unique_ptr<std::ostream> stream;
};

std::unique_ptr<std::ostream>& TraceLog() { return ProcessWide<TraceLogFile>().stream; }

} // namespace

bool OpenExecutionTraceLogfile(const char* path)
{
    CloseExecutionTraceLogfile();
    if (path == nullptr) {
        return false;
    }
    TraceLog() = Platform::OpenTruncatedOutputFile(path);
    return TraceLog() != nullptr;
}

bool CloseExecutionTraceLogfile()
{
    // Destroying the file stream writes out its buffer and closes the file.
    TraceLog().reset();
    return true;
}

void WriteTraceEntry(const TarnLink::TarnCommand& command)
{
    if (!TraceLog()) {
        return;
    }
    *TraceLog() << kTimeStampPrefix << Platform::TickCountMilliseconds() << kTimeStampSuffix;
    command.WriteParsable(*TraceLog());
}

} // namespace TarnLinkPrivate
