#ifndef TARNLINK_DIAGNOSTICS_DIAGNOSTICS_H
#define TARNLINK_DIAGNOSTICS_DIAGNOSTICS_H

// The library's diagnostic messages: the stream they go to, the two flags the
// host sets, and one helper for each class of message. Every layer writes its
// messages through here; the texts themselves stay beside the checks that
// write them.
//
// Errors are always written; verbose messages (progress, look-ups that found
// nothing) only while the verbose flag is set; trace messages (compilation,
// packet layout, meta sequences) only while the compile-trace flag is set.
// The flags may change while other threads write messages.

#include <atomic>
#include <ostream>

#include "platform/process_wide.h"

namespace TarnLinkPrivate {

// Standard output, never flushed by the library.
std::ostream& Diagnostics();

struct DiagnosticFlags {
    std::atomic<bool> verbose{false};
    std::atomic<bool> compileTrace{false};
};

inline DiagnosticFlags& CurrentDiagnosticFlags() { return ProcessWide<DiagnosticFlags>(); }

inline bool IsVerbose() { return CurrentDiagnosticFlags().verbose.load(std::memory_order_relaxed); }
inline bool IsCompileTrace() { return CurrentDiagnosticFlags().compileTrace.load(std::memory_order_relaxed); }

inline void SetVerbosityFlags(bool verbose, bool compileTrace)
{
    CurrentDiagnosticFlags().verbose.store(verbose, std::memory_order_relaxed);
    CurrentDiagnosticFlags().compileTrace.store(compileTrace, std::memory_order_relaxed);
}

// Writes the parts one after the other, as operator<< would.
template <class... Parts>
void ErrorMessage(const Parts&... parts)
{
    (Diagnostics() << ... << parts);
}

template <class... Parts>
void VerboseMessage(const Parts&... parts)
{
    if (IsVerbose()) {
        ErrorMessage(parts...);
    }
}

template <class... Parts>
void TraceMessage(const Parts&... parts)
{
    if (IsCompileTrace()) {
        ErrorMessage(parts...);
    }
}

} // namespace TarnLinkPrivate

#endif
