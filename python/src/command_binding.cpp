// tarnlink.Command, tarnlink.commands() and tarnlink.describe().

#include <pybind11/stl.h>

#include "bindings.h"
#include "library_access.h"
#include "python_command.h"

namespace py = pybind11;

namespace TarnLinkPython {
namespace {

constexpr char kUnknownKind[] = "kind is 'tarn', 'diag' or 'meta', not ";

struct KindName {
    TarnLink::CommandKind kind;
    const char* name;
};
constexpr KindName kKindNames[] = {{TarnLink::CommandKind::kTarn, "tarn"},
                                   {TarnLink::CommandKind::kDiag, "diag"},
                                   {TarnLink::CommandKind::kMeta, "meta"}};

const char* NameOfKind(TarnLink::CommandKind kind)
{
    for (const KindName& entry : kKindNames) {
        if (entry.kind == kind) {
            return entry.name;
        }
    }
    return "";
}

std::vector<std::string> Commands(const std::optional<std::string>& kind)
{
    RequireLoadedLibrary();
    if (kind && std::none_of(std::begin(kKindNames), std::end(kKindNames),
                             [&](const KindName& entry) { return *kind == entry.name; })) {
        throw py::value_error(kUnknownKind + ("'" + *kind + "'"));
    }
    std::vector<std::string> names;
    for (const std::string& name : TarnLink::TarnDictionary::GetCommandNames()) {
        if (!kind || *kind == NameOfKind(FindDefinition(name)->kind)) {
            names.push_back(name);
        }
    }
    return names;
}

py::dict Describe(const std::string& name)
{
    const std::shared_ptr<const TarnLink::CommandInfo> definition = FindDefinition(name);
    py::list parameters;
    for (const TarnLink::ParameterInfo& parameter : definition->parameters) {
        parameters.append(py::dict(py::arg("name") = parameter.name, py::arg("type") = parameter.typeName,
                                   py::arg("request_data") = parameter.requiredForRequestData));
    }
    py::dict symbols;
    for (const TarnLink::SymbolInfo& symbol : definition->symbols) {
        symbols[py::str(symbol.name)] = symbol.value;
    }
    py::dict description(py::arg("name") = definition->name, py::arg("kind") = NameOfKind(definition->kind),
                         py::arg("source_file") = definition->sourceFile, py::arg("parameters") = parameters,
                         py::arg("symbols") = symbols, py::arg("variable_length") = definition->hasVariableLengthData,
                         py::arg("timeout_ms") = definition->overrideTimeoutMillisec);
    switch (definition->kind) {
    case TarnLink::CommandKind::kTarn:
        description["major"] = definition->major;
        description["minor"] = definition->minor;
        description["function"] = definition->function;
        break;
    case TarnLink::CommandKind::kDiag:
        description["opcode"] = definition->opcode;
        break;
    case TarnLink::CommandKind::kMeta:
        description["start"] = definition->startCommand;
        description["repeat"] = definition->repeatCommand;
        description["stop"] = definition->stopCommand;
        break;
    }
    return description;
}

std::string Representation(const PythonCommand& command)
{
    std::string text = std::string(command.command.IsRequestDataCommand() ? "Command.request(" : "Command(") +
                       py::repr(py::str(command.definition->name)).cast<std::string>();
    for (const std::string& name : SetParameterNames(command)) {
        text += ", " + name + "=" + py::repr(GetParameter(command, name)).cast<std::string>();
    }
    return text + ")";
}

py::list Items(const PythonCommand& command)
{
    py::list items;
    for (const std::string& name : SetParameterNames(command)) {
        items.append(py::make_tuple(name, GetParameter(command, name)));
    }
    return items;
}

void BindCommandClass(py::module_& module)
{
    py::class_<PythonCommand> command(module, "Command",
                                      R"(A hardware command of the dictionary with typed parameter values.

    Command("AudioHostChanMute", HostChannel=5, Mute="AudioHostChan_MuteOn")

Each parameter takes the type its definition gives: an int for a number (checked
against the type's range), the name of one of the command's symbols (str), or
bytes for a byte stream. A wrong name raises KeyError, a wrong kind of value
TypeError, a number out of range or an unknown symbol ValueError.

A command reads like a mapping of the parameters that are set, in the
definition's order: cmd["Mute"], "Mute" in cmd, dict(cmd). Values the hardware
answered are ints and bytes; a parameter set by symbol gives the symbol's name.)");
    command
        .def(py::init([](const std::string& name, const py::kwargs& parameters) {
                 return MakeCommand(name, false, parameters);
             }),
             py::arg("name"), "A send command: it gives the hardware the parameters' values.")
        .def_static(
            "request",
            [](const std::string& name, const py::kwargs& parameters) { return MakeCommand(name, true, parameters); },
            py::arg("name"),
            "A request-data command: it asks the hardware for the values; give only the\n"
            "request-data parameters (those marked request_data by describe()).")
        .def_static("parse", &ParseCommand, py::arg("text"),
                    "A command read from the library's parsable text, as a trace log or a script holds it:\n"
                    "\"[tarn] send|request NAME {PARAMETER TYPE VALUE} . [;]\". ValueError when the text\n"
                    "cannot be read, KeyError for an unknown command, TypeError when a value's type is\n"
                    "not its parameter's.")
        .def_property_readonly(
            "name", [](const PythonCommand& self) { return self.definition->name; }, "The command's name.")
        .def_property_readonly(
            "is_request", [](const PythonCommand& self) { return self.command.IsRequestDataCommand(); },
            "True for a request-data command, False for a send command.")
        .def_property_readonly(
            "status", [](const PythonCommand& self) { return std::string(self.command.GetStatusAsStringConstant()); },
            "The outcome of the last execution or decoding, the CommandStatus_t name: 'kTLSuccess', 'kTLTimeOut', ...")
        .def_property(
            "conduit_id", [](const PythonCommand& self) { return self.command.GetConduitID(); },
            [](PythonCommand& self, std::int32_t conduitId) { self.command.SetConduitID(conduitId); },
            "The id of the conduit that carries the command; 0 (the default): the current conduit.")
        .def("__getitem__", &GetParameter, py::arg("name"), "The value of a set parameter; KeyError when unset.")
        .def("__setitem__", &SetParameter, py::arg("name"), py::arg("value"),
             "Sets a parameter, checked against its definition.")
        .def(
            "__contains__",
            [](const PythonCommand& self, const std::string& name) { return self.command.IsParamSet(name.c_str()); },
            py::arg("name"), "True when the parameter is set.")
        .def(
            "__iter__", [](const PythonCommand& self) { return py::iter(py::cast(SetParameterNames(self))); },
            "The names of the set parameters.")
        .def(
            "__len__", [](const PythonCommand& self) { return SetParameterNames(self).size(); },
            "How many parameters are set.")
        .def("keys", &SetParameterNames, "The names of the set parameters, in the definition's order.")
        .def(
            "values",
            [](const PythonCommand& self) {
                py::list values;
                for (const std::string& name : SetParameterNames(self)) {
                    values.append(GetParameter(self, name));
                }
                return values;
            },
            "The values of the set parameters.")
        .def("items", &Items, "(name, value) pairs of the set parameters.")
        .def(
            "get",
            [](const PythonCommand& self, const std::string& name, py::object fallback) {
                return self.command.IsParamSet(name.c_str()) ? GetParameter(self, name) : fallback;
            },
            py::arg("name"), py::arg("default") = py::none(), "The value of a parameter, or default when unset.")
        .def(
            "clear", [](PythonCommand& self) { self.command.ClearParameters(); }, "Unsets every parameter.")
        .def("__repr__", &Representation)
        .def(
            "__str__", [](const PythonCommand& self) { return CommandText(self.command); },
            "The parsable text, e.g. 'tarn send SampleRate SampleRate SYMBOL SR_48000Hz . ;'.");
    py::module_::import("collections.abc").attr("Mapping").attr("register")(command);
}

} // namespace

void BindCommand(py::module_& module)
{
    BindCommandClass(module);
    module.def("commands", &Commands, py::arg("kind") = py::none(),
               "The names of the defined commands in ascending order; kind 'tarn', 'diag' or 'meta'\n"
               "keeps only the commands of that kind.");
    module.def("describe", &Describe, py::arg("name"),
               "The definition of a command as a dict: name, kind, source_file, parameters (each a\n"
               "dict of name, type and request_data), symbols (name to value), variable_length,\n"
               "timeout_ms, and major/minor/function (tarn), opcode (diag) or start/repeat/stop (meta).\n"
               "KeyError for an unknown command.");
}

} // namespace TarnLinkPython
