#ifndef TARNLINK_COMMAND_COMMAND_BODY_ACCESS_H
#define TARNLINK_COMMAND_COMMAND_BODY_ACCESS_H

// The library's own way into a command's state: the compiler and decompiler
// read a parameter's stored value once instead of asking the public getters
// (a search per question) several times.

#include "command/tarn_command_body.h"

namespace TarnLink {

struct CommandBodyAccess {
    static const TarnCommand::Body& Of(const TarnCommand& command) { return *command.body_; }
    static TarnCommand::Body& Of(TarnCommand& command) { return *command.body_; }
};

} // namespace TarnLink

#endif
