#ifndef TARNLINK_PYTHON_PYTHON_COMMAND_H
#define TARNLINK_PYTHON_PYTHON_COMMAND_H

// tarnlink.Command: a TarnCommand with its definition, whose parameters are
// checked against that definition as Python sets them.

#include <pybind11/pybind11.h>

#include <memory>
#include <string>
#include <vector>

#include "tarnlink/TarnCommand.h"
#include "tarnlink/TarnDictionary.h"

namespace TarnLinkPython {

struct PythonCommand {
    TarnLink::TarnCommand command;
    std::shared_ptr<const TarnLink::CommandInfo> definition;
};

// The Command that a function of the module was given; TypeError
// "<function> takes a tarnlink.Command, not <type>" for anything else.
PythonCommand& CommandOf(const pybind11::handle& value, const char* function);

// The loaded definition of a command; KeyError when none is loaded.
std::shared_ptr<const TarnLink::CommandInfo> FindDefinition(const std::string& name);
// Forgets the definitions read so far (the library loads or unloads them).
void ForgetDefinitions();

// A command of the dictionary, send or request-data, with the given parameters.
PythonCommand MakeCommand(const std::string& name, bool request, const pybind11::kwargs& parameters);
// A command read from the library's parsable text.
PythonCommand ParseCommand(const std::string& text);
// A copy of a command that the library hands to a callback.
PythonCommand CopyCommand(const TarnLink::TarnCommand& command);

// Sets one parameter with the type its definition gives: an int for a number,
// a str for a symbol, bytes for a byte stream. KeyError for a name the
// definition lacks, TypeError for a value of the wrong kind, ValueError for a
// number out of range or an unknown symbol.
void SetParameter(PythonCommand& command, const std::string& name, pybind11::handle value);
// The value set: an int, bytes or the symbol's name; KeyError when unset or unknown.
pybind11::object GetParameter(const PythonCommand& command, const std::string& name);
// The names of the set parameters, in the definition's order.
std::vector<std::string> SetParameterNames(const PythonCommand& command);
// The parsable text, e.g. "tarn send SampleRate SampleRate SYMBOL SR_48000Hz . ;".
std::string CommandText(const TarnLink::TarnCommand& command);

} // namespace TarnLinkPython

#endif
