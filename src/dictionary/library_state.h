#ifndef TARNLINK_DICTIONARY_LIBRARY_STATE_H
#define TARNLINK_DICTIONARY_LIBRARY_STATE_H

// Process-wide settings and the sink of every diagnostic message.

#include <cstdint>
#include <iosfwd>
#include <string>

namespace TarnLinkPrivate {

// Every diagnostic text of the library goes here (standard output, never
// flushed by the library).
std::ostream& Diagnostics();

bool IsVerbose();
bool IsCompileTrace();
void SetVerbosityFlags(bool verbose, bool compileTrace);

// Writes text only while the verbose (respectively compile-trace) flag is set.
// Callers with composite messages test the flag themselves.
void VerboseMessage(const std::string& text);
void TraceMessage(const std::string& text);
void VerboseMessage(const char* text);
void TraceMessage(const char* text);

std::uint32_t InitCount();
bool IsLibraryInitialized();
void SetInitCount(std::uint32_t count);

// False after a Terminate that met errors; Initialize refuses to run then.
bool IsCleanShutdown();
void SetCleanShutdown(bool clean);

// The host's further directory of definition files: null while none is set.
const std::string* AdditionalPath();
void SetAdditionalPath(const char* path);
void ForgetAdditionalPath();

} // namespace TarnLinkPrivate

#endif
