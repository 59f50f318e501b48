#ifndef TARNLINK_PYTHON_COMMAND_ERROR_H
#define TARNLINK_PYTHON_COMMAND_ERROR_H

// tarnlink.CommandError: a command the library compiled, executed or decoded
// without success. It carries the status's name and the command.

#include <pybind11/pybind11.h>

#include "python_command.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPython {

void BindCommandError(pybind11::module_& module);

// Raises CommandError: "<operation> <name> failed with <status>: <what it means>".
[[noreturn]] void RaiseCommandError(const char* operation, const pybind11::object& command,
                                    TarnLink::CommandStatus_t status);

} // namespace TarnLinkPython

#endif
