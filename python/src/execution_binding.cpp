// tarnlink.compile(), tarnlink.decompile() and tarnlink.execute().

#include <string>
#include <typeinfo>

#include "bindings.h"
#include "command_error.h"
#include "library_access.h"
#include "packet_bytes.h"
#include "python_command.h"
#include "tarnlink/TarnCommandFactory.h"

namespace py = pybind11;

namespace TarnLinkPython {
namespace {

constexpr char kNoConduit[] = "no conduit is installed: call install_conduit() first";
constexpr char kNoConduitWithId[] = "no conduit is installed under id ";
constexpr char kTypeMismatch[] = "a parameter's type does not match the definition (";
constexpr char kNotAPacket[] = "the response is empty: a packet holds at least its header";
constexpr char kResponseWhat[] = "the response";
constexpr char kCompiling[] = "compiling";
constexpr char kExecuting[] = "executing";
constexpr char kDecoding[] = "decoding the answer to";

// Fails before anything is sent when the command's conduit is missing; the
// library would fail without a status.
void RequireConduit(const TarnLink::TarnCommand& command)
{
    const std::int32_t conduitId = command.GetConduitID();
    if (conduitId > 0 && TarnLink::TarnCommandFactory::GetConduitFromID(conduitId) == nullptr) {
        throw std::runtime_error(kNoConduitWithId + std::to_string(conduitId));
    }
    if (conduitId <= 0 && TarnLink::TarnCommandFactory::GetConduit() == nullptr) {
        throw std::runtime_error(kNoConduit);
    }
}

// The library works on a copy, so that another thread may use the Python
// object meanwhile; the copy's outcome is written back with the GIL held.
py::object Execute(const py::object& commandObject)
{
    RequireLoadedLibrary();
    PythonCommand& command = CommandOf(commandObject, "execute()");
    TarnLink::TarnCommand working(command.command);
    std::string badCast;
    const bool executed = InLibrary(Access::kExecute, kExecuting, [&] {
        RequireConduit(working);
        try {
            return TarnLink::TarnCommandFactory::Execute(working);
        } catch (const std::bad_cast& error) {
            badCast = error.what();
            return false;
        }
    });
    if (!badCast.empty()) {
        throw py::type_error(kTypeMismatch + badCast + ")");
    }
    command.command = working;
    if (!executed) {
        RaiseCommandError(kExecuting, commandObject, command.command.GetStatus());
    }
    return commandObject;
}

py::bytes Compile(const py::object& commandObject)
{
    RequireLoadedLibrary();
    const TarnLink::TarnCommand working(CommandOf(commandObject, "compile()").command);
    TarnLink::TarnCommandByteCode code;
    std::uint32_t timeout = 0;
    TarnLink::CommandStatus_t status = TarnLink::kTLSuccess;
    const bool compiled = InLibrary(Access::kExecute, kCompiling, [&] {
        return TarnLink::TarnCommandFactory::CompileTarnByteCode(working, code, &timeout, &status);
    });
    if (!compiled) {
        RaiseCommandError(kCompiling, commandObject, status);
    }
    return PacketBytes(code);
}

void Decompile(const py::object& commandObject, const py::handle& response, bool lenient)
{
    RequireLoadedLibrary();
    PythonCommand& command = CommandOf(commandObject, "decompile()");
    TarnLink::TarnCommandByteCode code;
    if (!CopyPacket(BytesOf(response, kResponseWhat), code)) {
        throw py::value_error(kNotAPacket);
    }
    TarnLink::TarnCommand working(command.command);
    TarnLink::CommandStatus_t status = TarnLink::kTLSuccess;
    const bool decoded = InLibrary(Access::kExecute, kDecoding, [&] {
        return TarnLink::TarnCommandFactory::DecompileTarnByteCode(working, code, &status, lenient);
    });
    working.SetStatus(status);
    command.command = working;
    if (!decoded) {
        RaiseCommandError(kDecoding, commandObject, status);
    }
}

} // namespace

void BindExecution(py::module_& module)
{
    BindCommandError(module);
    module.def("compile", &Compile, py::arg("command"),
               "The wire packet of a command. CommandError when it cannot be compiled (a parameter\n"
               "missing: kTLCompileMissingParameterData).");
    module.def("decompile", &Decompile, py::arg("command"), py::arg("response"), py::arg("lenient") = false,
               "Decodes the hardware's answer to the command into it: its status and, for a request,\n"
               "the parameters' values. lenient accepts an answer with less data than the definition\n"
               "asks. ValueError when response is not a packet; CommandError when the answer reports\n"
               "a failure or does not fit the command.");
    module.def("execute", &Execute, py::arg("command"),
               "Compiles the command, sends it through its conduit and decodes the answer into it;\n"
               "returns the command. CommandError when it does not succeed; RuntimeError when its\n"
               "conduit is not installed. The GIL is released meanwhile; an exception raised by a\n"
               "conduit or listener written in Python is raised from here.");
}

} // namespace TarnLinkPython
