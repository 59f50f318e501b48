// Decoding a response packet into the command's status and parameters
// (command_codec.h).

#include "command/command_codec.h"
#include "command/compiler.h"

namespace TarnLinkPrivate {

using TarnLink::CommandStatus_t;
using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;

bool DecompileTarnByteCode(TarnCommand& command, const TarnCommandByteCode& byteCode, CommandStatus_t* status,
                           bool lenient)
{
    return DecompileCommand(StateOf(command), StateOf(byteCode), status, lenient);
}

} // namespace TarnLinkPrivate
