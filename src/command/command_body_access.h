#ifndef TARNLINK_COMMAND_COMMAND_BODY_ACCESS_H
#define TARNLINK_COMMAND_COMMAND_BODY_ACCESS_H

// The library's own way into the state of a command and of a byte-code: the
// compiler and decompiler read a parameter's stored value once instead of
// asking the public getters (a search per question) several times, and the
// compiler writes a packet straight into the byte-code's buffer.

#include "command/tarn_command_body.h"
#include "command/tarn_command_byte_code_body.h"

namespace TarnLink {

struct CommandBodyAccess {
    static const TarnCommand::Body& Of(const TarnCommand& command) { return *command.body_; }
    static TarnCommand::Body& Of(TarnCommand& command) { return *command.body_; }
    static TarnCommandByteCode::Body& Of(TarnCommandByteCode& byteCode) { return *byteCode.body_; }
    static const TarnCommandByteCode::Body& Of(const TarnCommandByteCode& byteCode) { return *byteCode.body_; }
};

} // namespace TarnLink

#endif
