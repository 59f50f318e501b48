#include "runtime/trace_log.h"

#include <memory>
#include <ostream>

#include "platform/platform.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kTimeStampPrefix[] = "\n@time ";
constexpr char kTimeStampSuffix[] = " ;";

// Touched only under the current conduit's lock while executing; opening and
// closing must not overlap an execution.
std::unique_ptr<std::ostream> traceLog;

} // namespace

bool OpenExecutionTraceLogfile(const char* path)
{
    CloseExecutionTraceLogfile();
    if (path == nullptr) {
        return false;
    }
    traceLog = Platform::OpenTruncatedOutputFile(path);
    return traceLog != nullptr;
}

bool CloseExecutionTraceLogfile()
{
    // Destroying the file stream writes out its buffer and closes the file.
    traceLog.reset();
    return true;
}

void WriteTraceEntry(const TarnLink::TarnCommand& command)
{
    if (!traceLog) {
        return;
    }
    *traceLog << kTimeStampPrefix << Platform::TickCountMilliseconds() << kTimeStampSuffix;
    command.WriteParsable(*traceLog);
}

} // namespace TarnLinkPrivate
