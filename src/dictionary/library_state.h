#ifndef TARNLINK_DICTIONARY_LIBRARY_STATE_H
#define TARNLINK_DICTIONARY_LIBRARY_STATE_H

// The process-wide state of the library's life: how often it was
// initialized, whether it shut down cleanly, and the host's further directory
// of definition files.

#include <cstdint>
#include <string>

#include "platform/process_wide.h"

namespace TarnLinkPrivate {

// What a start-up step reports when it throws: loading the definition and
// capability files, or generating the definition files' CRCs.
constexpr char kInitializeException[] = "\n\nException while Initializing TarnLink : ";
constexpr char kInitializeUnknownException[] = "\n\nUnknown Exception while Initializing TarnLink : ";

// Inline: every compilation and decompilation asks.
struct InitCounter {
    std::uint32_t value = 0;
};
inline std::uint32_t InitCount() { return ProcessWide<InitCounter>().value; }
inline bool IsLibraryInitialized() { return InitCount() > 0; }
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
