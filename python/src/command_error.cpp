#include "command_error.h"

#include <string>

namespace py = pybind11;

namespace TarnLinkPython {
namespace {

// What each status means, in the order of CommandStatus_t.
constexpr const char* kStatusMeanings[] = {
    "it succeeded",
    "the command failed",
    "the hardware does not support the command",
    "the packet could not be sent",
    "the hardware did not answer in time",
    "no definition of the command is loaded",
    "a packet's size does not fit the definition",
    "a symbol is not one of the command's",
    "the answer's command header does not match the command",
    "the answer's transport header is damaged",
    "the answer's opcode does not match the command",
    "a parameter that the packet needs is not set",
    "the answer lacks data of a parameter",
    "a diagnostic command can be compiled but not executed",
};
constexpr char kUnknownMeaning[] = "an unknown status";

PyObject* commandErrorType = nullptr;

} // namespace

void BindCommandError(py::module_& module)
{
    commandErrorType = PyErr_NewExceptionWithDoc(
        "tarnlink.CommandError",
        "A command that did not succeed. status is the CommandStatus_t name ('kTLTimeOut', ...),\n"
        "command the Command (its status says the same).",
        PyExc_Exception, nullptr);
    module.add_object("CommandError", py::handle(commandErrorType));
}

void RaiseCommandError(const char* operation, const py::object& command, TarnLink::CommandStatus_t status)
{
    TarnLink::TarnCommand probe;
    probe.SetStatus(status);
    const std::string name = probe.GetStatusAsStringConstant();
    const auto index = static_cast<std::size_t>(status);
    const char* meaning = index < std::size(kStatusMeanings) ? kStatusMeanings[index] : kUnknownMeaning;
    const std::string message = std::string(operation) + " " + command.cast<const PythonCommand&>().definition->name +
                                " failed with " + name + ": " + meaning;
    py::object error = py::reinterpret_borrow<py::object>(commandErrorType)(message);
    error.attr("status") = name;
    error.attr("command") = command;
    PyErr_SetObject(commandErrorType, error.ptr());
    throw py::error_already_set();
}

} // namespace TarnLinkPython
