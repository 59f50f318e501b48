#ifndef TARNLINK_RUNTIME_TRACE_LOG_H
#define TARNLINK_RUNTIME_TRACE_LOG_H

// The execution trace log: the parsable text of every executed command.

#include <iosfwd>

#include "platform/process_wide.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

bool OpenExecutionTraceLogfile(const char* path);
bool CloseExecutionTraceLogfile();

// The open log, owned here and deleted by a close. A plain pointer in a plain
// static, so that every execution tests it without a first-use check. Touched
// only under the current conduit's lock while executing; opening and closing
// must not overlap an execution.
struct TraceLogFile {
    std::ostream* stream = nullptr;
};

void WriteTimeStampedEntry(std::ostream& log, const TarnLink::TarnCommand& command);

// Appends the time-stamped parsable text of the command when a log is open.
inline void WriteTraceEntry(const TarnLink::TarnCommand& command)
{
    if (std::ostream* log = ProcessWide<TraceLogFile>().stream) {
        WriteTimeStampedEntry(*log, command);
    }
}

} // namespace TarnLinkPrivate

#endif
