#ifndef TARNLINK_COMMAND_FULL_DECOMPILATION_H
#define TARNLINK_COMMAND_FULL_DECOMPILATION_H

// The general path of decompilation: the entry checks and their messages,
// then any response to any command, each failure traced. Its own file, so
// that the short planned path of the decompiler stays small.

#include "command/byte_code_state.h"
#include "command/command_state.h"
#include "dictionary/command_format.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

// Decodes the response into the command, by the definition its name has now
// (none for an unknown name); on failure, status (when not null) says why.
// Expects status, when not null, to hold success.
bool DecompileWithChecks(CommandState& command, const ByteCodeState& response, TarnLink::CommandStatus_t* status,
                         bool lenient);

} // namespace TarnLinkPrivate

#endif
