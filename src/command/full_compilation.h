#ifndef TARNLINK_COMMAND_FULL_COMPILATION_H
#define TARNLINK_COMMAND_FULL_COMPILATION_H

// The general path of compilation: the entry checks and their messages, then
// any data-carrying definition and any command, symbols resolved, byte streams
// laid out, each step traced while the compile trace runs. Its own file, so
// that the short planned path of the compiler stays small.

#include <cstdint>

#include "command/byte_code_state.h"
#include "command/command_state.h"
#include "dictionary/command_format.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

// Compiles the command into the packet by the definition of its name; on
// failure, status (when not null) says why. Writes the numbers of the
// command's symbols into the command: hosts make their commands as ordinary
// (non-const) objects, so writing through the const reference of the
// interface is sound. Expects timeoutMillisec and status, when not null, to
// hold 0 and success.
bool CompileWithChecks(const CommandState& command, ByteCodeState& packet, std::uint32_t* timeoutMillisec,
                       TarnLink::CommandStatus_t* status);

// The compiler's verbose message for a command name that has no definition,
// also written when a meta command's name turns out to have none.
void ReportNoDefinitionToCompile(const char* commandName);

} // namespace TarnLinkPrivate

#endif
