#ifndef TARNLINK_RUNTIME_TRACE_LOG_H
#define TARNLINK_RUNTIME_TRACE_LOG_H

#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

bool OpenExecutionTraceLogfile(const char* path);
bool CloseExecutionTraceLogfile();
// Appends the time-stamped parsable text of the command when a log is open.
void WriteTraceEntry(const TarnLink::TarnCommand& command);

} // namespace TarnLinkPrivate

#endif
