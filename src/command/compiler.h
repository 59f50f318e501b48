#ifndef TARNLINK_COMMAND_COMPILER_H
#define TARNLINK_COMMAND_COMPILER_H

// Turns a command into its one packet and a response packet back into the
// command's status and parameters, behind the facade (command_codec.h holds
// how, for callers that have the command's definition at hand).

#include <cstdint>

#include "tarnlink/TarnCommand.h"
#include "tarnlink/TarnCommandByteCode.h"

namespace TarnLinkPrivate {

bool CompileTarnByteCode(const TarnLink::TarnCommand& command, TarnLink::TarnCommandByteCode& byteCode,
                         std::uint32_t* timeoutMillisec, TarnLink::CommandStatus_t* status);
bool DecompileTarnByteCode(TarnLink::TarnCommand& command, const TarnLink::TarnCommandByteCode& byteCode,
                           TarnLink::CommandStatus_t* status, bool lenient);
bool ComputeCompiledCommandParamDataPacketAndBytecodeOffset(const TarnLink::TarnCommand& command, const char* paramName,
                                                            std::int64_t* offset);

} // namespace TarnLinkPrivate

#endif
