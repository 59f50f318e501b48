// tarnlink.Conduit (a conduit written in Python), tarnlink.VirtualDevice,
// tarnlink.TcpConduit, tarnlink.install_conduit() and remove_conduit().

#include <pybind11/stl.h>

#include <map>
#include <mutex>
#include <string>

#include "bindings.h"
#include "installed_objects.h"
#include "library_access.h"
#include "packet_bytes.h"
#include "python_command.h"
#include "tarnlink/TarnCommandFactory.h"
#include "tarnlink/TarnVirtualDevice.h"

namespace py = pybind11;

namespace TarnLinkPython {
namespace {

constexpr char kNoTransmit[] = "a tarnlink.Conduit subclass defines transmit(self, request, timeout_ms)";
constexpr char kTransmitMethod[] = "transmit";
constexpr char kSucceededMethod[] = "command_succeeded";
constexpr char kCommandNameArgument[] = "command_name";
constexpr char kTransmitAnswer[] = "the answer of transmit()";
constexpr char kNotAPacket[] = "transmit() answered empty bytes (None says that no answer came)";
constexpr char kEmptyRequest[] = "the request is empty: a packet holds at least its header";
constexpr char kTakesConduit[] = "install_conduit() takes a tarnlink.Conduit, not ";
constexpr char kIdNotAbove0[] = "conduit_id must be above 0 (commands give 0 for the current conduit)";
constexpr char kIdTaken[] = "a conduit is installed under id ";
constexpr char kNotInstalled[] = "this conduit is not installed under id ";
constexpr char kInstalling[] = "installing a conduit";
constexpr char kRemoving[] = "removing a conduit";
constexpr char kTransmitting[] = "transmitting";

// The Python objects of installed conduits by id. Never destroyed: it may
// outlive the interpreter.
auto& installedConduits = *new std::map<std::int32_t, py::object>();

bool Fail(TarnLink::TarnCommandByteCode* response)
{
    if (response != nullptr) {
        response->SetFailed();
    }
    return false;
}

// A transmit that names a parameter command_name gets the command's name: a
// virtual device behind a Python conduit needs it.
bool TakesCommandName(const py::object& transmit)
{
    const py::object function = py::getattr(transmit, "__func__", transmit);
    const py::object code = py::getattr(function, "__code__", py::none());
    if (code.is_none()) {
        return false;
    }
    const auto namedArguments =
        code.attr("co_argcount").cast<std::size_t>() + code.attr("co_kwonlyargcount").cast<std::size_t>();
    const py::tuple names = code.attr("co_varnames");
    for (std::size_t i = 0; i < namedArguments && i < names.size(); ++i) {
        if (names[i].cast<std::string>() == kCommandNameArgument) {
            return true;
        }
    }
    return false;
}

// tarnlink.Conduit: calls the Python subclass's transmit with the GIL taken.
class PythonConduit : public TarnLink::TarnConduit {
public:
    bool Transmit(const char* commandName, const TarnLink::TarnCommandByteCode& request,
                  TarnLink::TarnCommandByteCode* response, std::uint32_t timeoutMillisec) override
    {
        py::gil_scoped_acquire gil;
        try {
            const py::object self = Self();
            if (py::type::of(self)
                    .attr(kTransmitMethod)
                    .is(py::type::of<TarnLink::TarnConduit>().attr(kTransmitMethod))) {
                PyErr_SetString(PyExc_NotImplementedError, kNoTransmit);
                throw py::error_already_set();
            }
            const py::object transmit = self.attr(kTransmitMethod);
            const py::object answer = TakesCommandName(transmit) ? transmit(PacketBytes(request), timeoutMillisec,
                                                                            py::arg(kCommandNameArgument) = commandName)
                                                                 : transmit(PacketBytes(request), timeoutMillisec);
            if (answer.is_none()) {
                if (response != nullptr) {
                    response->SetTimedOut();
                }
                return false;
            }
            if (response == nullptr || !CopyPacket(BytesOf(answer, kTransmitAnswer), *response)) {
                throw py::value_error(kNotAPacket);
            }
            return true;
        } catch (...) {
            RememberCallbackError();
        }
        return Fail(response);
    }

    void CommandSucceeded(TarnLink::TarnCommand& command) override
    {
        py::gil_scoped_acquire gil;
        try {
            const py::object self = Self();
            if (py::hasattr(self, kSucceededMethod)) {
                self.attr(kSucceededMethod)(CopyCommand(command));
            }
        } catch (...) {
            RememberCallbackError();
        }
    }

    void Lock() override { mutex_.lock(); }
    void Unlock() override { mutex_.unlock(); }

private:
    // The Python object. Not pybind11's get_override: it finds no override
    // while the same method runs further up the stack, as it does when a
    // Python conduit executes a command from inside transmit.
    py::object Self() const
    {
        return py::cast(static_cast<const TarnLink::TarnConduit*>(this), py::return_value_policy::reference);
    }

    std::recursive_mutex mutex_;
};

// Any conduit's exchange of one packet, outside an execution.
py::object Transmit(TarnLink::TarnConduit& conduit, const py::handle& request, std::uint32_t timeoutMillisec,
                    const std::string& commandName)
{
    TarnLink::TarnCommandByteCode requestCode;
    if (!CopyPacket(BytesOf(request, "the request"), requestCode)) {
        throw py::value_error(kEmptyRequest);
    }
    TarnLink::TarnCommandByteCode responseCode;
    const bool transmitted = InLibrary(Access::kExecute, kTransmitting, [&] {
        return conduit.Transmit(commandName.c_str(), requestCode, &responseCode, timeoutMillisec);
    });
    return transmitted ? py::object(PacketBytes(responseCode)) : py::object(py::none());
}

void InstallConduit(const py::object& conduit, std::int32_t conduitId, bool detect)
{
    RequireLoadedLibrary();
    if (!py::isinstance<TarnLink::TarnConduit>(conduit)) {
        throw py::type_error(kTakesConduit + py::type::of(conduit).attr("__name__").cast<std::string>());
    }
    auto* raw = conduit.cast<TarnLink::TarnConduit*>();
    if (conduitId <= 0) {
        throw py::value_error(kIdNotAbove0);
    }
    if (installedConduits.count(conduitId) > 0 || TarnLink::TarnCommandFactory::GetConduitFromID(conduitId)) {
        throw py::value_error(kIdTaken + std::to_string(conduitId));
    }
    // Kept before the library sees it: detection may fail with an exception.
    installedConduits[conduitId] = conduit;
    InLibrary(Access::kChangeTables, kInstalling, [&] {
        TarnLink::TarnCommandFactory::InstallTargetConduit(raw, conduitId);
        if (detect) {
            TarnLink::TarnCommandFactory::OverrideConduit(raw);
        }
    });
}

void RemoveConduit(const py::object& conduit, std::int32_t conduitId)
{
    const auto found = installedConduits.find(conduitId);
    if (found == installedConduits.end() || !found->second.is(conduit)) {
        throw py::value_error(kNotInstalled + std::to_string(conduitId));
    }
    auto* raw = conduit.cast<TarnLink::TarnConduit*>();
    InLibrary(Access::kChangeTables, kRemoving,
              [&] { TarnLink::TarnCommandFactory::RemoveTargetConduit(raw, conduitId); });
    installedConduits.erase(found);
}

void BindConduitBase(py::module_& module)
{
    py::class_<TarnLink::TarnConduit, PythonConduit>(module, "Conduit", R"(The transport to the hardware.

Subclass it to write a conduit in Python:

    class Loopback(tarnlink.Conduit):
        def __init__(self):
            super().__init__()
        def transmit(self, request: bytes, timeout_ms: int) -> bytes | None:
            return answer_to(request)

transmit gets the request packet and the time-out (0: your default) and returns the
answer packet, or None when no answer came (the command times out); an exception it
raises fails the command and is raised from execute(). command_succeeded(self,
command), when defined, sees each command that succeeded through the conduit. The
library serializes executions through one conduit with a lock of its own.)")
        .def(py::init<>())
        .def("transmit", &Transmit, py::arg("request"), py::arg("timeout_ms") = 0, py::arg("command_name") = "",
             "Exchanges one packet through the conduit, outside an execution: the answer, or None\n"
             "when the conduit reports a failure.");
}

void BindPacketExchange(py::module_& module)
{
    py::class_<TarnLink::VirtualPacketExchange>(module, "PacketExchange",
                                                "One packet that the virtual device received and its answer.")
        .def_readonly("command_name", &TarnLink::VirtualPacketExchange::commandName,
                      "The name the library gave with the packet (a meta command's step names its own).")
        .def_property_readonly(
            "request", [](const TarnLink::VirtualPacketExchange& self) { return PacketBytes(self.request); },
            "The packet received.")
        .def_property_readonly(
            "response", [](const TarnLink::VirtualPacketExchange& self) { return PacketBytes(self.response); },
            "The answer.")
        .def_readonly("transmitted", &TarnLink::VirtualPacketExchange::transmitted,
                      "False when the device reported a failure.")
        .def("__repr__", [](const TarnLink::VirtualPacketExchange& self) {
            return "PacketExchange(" + py::repr(py::str(self.commandName)).cast<std::string>() + ", " +
                   py::repr(PacketBytes(self.request)).cast<std::string>() + ", " +
                   py::repr(PacketBytes(self.response)).cast<std::string>() + ")";
        });
}

void BindVirtualDevice(py::module_& module)
{
    using TarnLink::TarnVirtualDevice;
    // Every member waits for the device's lock, which an execution holds while
    // it calls Python listeners: waiting with the GIL would block them.
    using Release = py::call_guard<py::gil_scoped_release>;
    py::enum_<TarnLink::VirtualFault>(module, "Fault", "A fault the virtual device can be told to show.")
        .value("TIME_OUT", TarnLink::VirtualFault::kTimeOut, "No answer: the command times out.")
        .value("NOT_SUPPORTED", TarnLink::VirtualFault::kNotSupported, "The answer says not supported.")
        .value("TRANSMIT_FAILURE", TarnLink::VirtualFault::kTransmitFailure, "The packet never leaves.")
        .value("SHORT_ANSWER", TarnLink::VirtualFault::kShortAnswer, "The answer loses its last byte.")
        .value("CORRUPT_ANSWER", TarnLink::VirtualFault::kCorruptAnswer, "The answer's transport mark is damaged.")
        .value("DELAY", TarnLink::VirtualFault::kDelay, "The answer comes after the fault's delay.");
    BindPacketExchange(module);
    py::class_<TarnVirtualDevice, TarnLink::TarnConduit>(module, "VirtualDevice",
                                                         R"(A conduit that behaves like a box of a chosen hardware type.

    device = tarnlink.VirtualDevice(hardware="StudioBox", subcomponents=["HD Board"])
    tarnlink.install_conduit(device, 1)

It answers the identification commands with its hardware type and sub-components,
remembers the data of every send command and answers requests with it, takes part in
meta command sequences, refuses malformed packets, shows injected faults and logs
every packet. Safe to use from several threads.)")
        .def(py::init([](const std::string& hardware, const std::vector<std::string>& subcomponents) {
                 auto device = std::make_unique<TarnVirtualDevice>(hardware.c_str());
                 for (const std::string& subcomponent : subcomponents) {
                     device->AddSubcomponent(subcomponent.c_str());
                 }
                 return device;
             }),
             py::kw_only(), py::arg("hardware") = "StudioBox", py::arg("subcomponents") = std::vector<std::string>())
        .def_property("hardware", py::cpp_function(&TarnVirtualDevice::GetHardwareType, Release()),
                      py::cpp_function([](TarnVirtualDevice& self,
                                          const std::string& hardware) { self.SetHardwareType(hardware.c_str()); },
                                       Release()),
                      "What the device answers to HardwareTypeID.")
        .def_property_readonly("subcomponents", py::cpp_function(&TarnVirtualDevice::GetSubcomponents, Release()),
                               "The sub-components the device reports, in order.")
        .def(
            "add_subcomponent",
            [](TarnVirtualDevice& self, const std::string& typeId) { self.AddSubcomponent(typeId.c_str()); },
            py::arg("type_id"), Release(), "Adds a sub-component, e.g. 'HD Board' or 'Codec Module : ID 0x7'.")
        .def("clear_subcomponents", &TarnVirtualDevice::ClearSubcomponents, Release(), "Removes every sub-component.")
        .def("inject_fault", &TarnVirtualDevice::InjectFault, py::arg("fault"), py::arg("count") = 1,
             py::arg("delay_ms") = 0, Release(), "The fault hits the next count packets, whatever their command.")
        .def(
            "inject_fault_for_command",
            [](TarnVirtualDevice& self, const std::string& command, TarnLink::VirtualFault fault,
               std::uint32_t delayMillisec) { self.InjectFaultForCommand(command.c_str(), fault, delayMillisec); },
            py::arg("command"), py::arg("fault"), py::arg("delay_ms") = 0, Release(),
            "The fault hits every packet of the named command until cleared.")
        .def("clear_faults", &TarnVirtualDevice::ClearFaults, Release(), "Clears every injected fault.")
        .def("packet_log", &TarnVirtualDevice::GetPacketLog, Release(), "The packets exchanged so far.")
        .def("take_packet_log", &TarnVirtualDevice::TakePacketLog, Release(),
             "The packets exchanged so far, leaving the log empty.")
        .def("clear_packet_log", &TarnVirtualDevice::ClearPacketLog, Release(), "Empties the packet log.")
        .def("clear_stored_data", &TarnVirtualDevice::ClearStoredData, Release(),
             "Forgets every stored value and meta sequence.");
}

} // namespace

void ForgetInstalledConduits() { installedConduits.clear(); }

void BindConduits(py::module_& module)
{
    BindConduitBase(module);
    BindVirtualDevice(module);
    module.def("install_conduit", &InstallConduit, py::arg("conduit"), py::arg("conduit_id"), py::arg("detect") = true,
               "Installs a conduit under an id above 0 and makes it the current one. detect (the\n"
               "default) also asks the hardware behind it which type it is, so that the capability\n"
               "questions and per-command time-outs follow it. The module keeps the conduit alive\n"
               "while it is installed. ValueError when the id is taken.");
    module.def("remove_conduit", &RemoveConduit, py::arg("conduit"), py::arg("conduit_id"),
               "Removes a conduit installed under that id; ValueError when it is not.");
    module.def(
        "conduits", [] { return installedConduits; },
        "The installed conduits by id (leaving the Library forgets them all).");
}

} // namespace TarnLinkPython
