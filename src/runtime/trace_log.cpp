#include "runtime/trace_log.h"

namespace TarnLinkPrivate {

// Minimal body until the execution trace log is written.
bool CloseExecutionTraceLogfile() { return true; }

} // namespace TarnLinkPrivate
