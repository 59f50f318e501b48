#ifndef TARNLINK_COMMAND_FULL_COMPILATION_H
#define TARNLINK_COMMAND_FULL_COMPILATION_H

// The general path of compilation: any data-carrying definition and any
// command, symbols resolved, byte streams laid out, each step traced while the
// compile trace runs. Its own file, so that the short precomputed path of the
// compiler stays small.

#include "command/byte_code_state.h"
#include "command/command_state.h"
#include "dictionary/command_format.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

// Compiles the command into the packet; on failure, status (when not null)
// says why. Writes the numbers of the command's symbols into it.
bool CompileInFull(CommandState& command, const TarnDataCommandFormat& definition, ByteCodeState& packet,
                   TarnLink::CommandStatus_t* status, bool trace);

} // namespace TarnLinkPrivate

#endif
