// Listeners written in Python: tarnlink.on_compiled(), on_transmit(),
// on_executed() and remove_listener().

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "bindings.h"
#include "library_access.h"
#include "packet_bytes.h"
#include "python_command.h"
#include "tarnlink/TarnCommandFactory.h"

namespace py = pybind11;

namespace TarnLinkPython {
namespace {

constexpr char kInstalledAlready[] = "this callable is installed already as a listener of that kind";
constexpr char kNotInstalled[] = "this callable is not installed as a listener";
constexpr char kAnswerNoPacket[] = "a transmit listener answered empty bytes";
constexpr char kRequestNoPacket[] = "a transmit listener emptied the request";
constexpr char kListenerAnswer[] = "the answer of a transmit listener";
constexpr char kAddingListener[] = "installing a listener";
constexpr char kRemovingListener[] = "removing a listener";

// What a compile or transmit listener decides; None means kProceed.
enum class Verdict { kProceed, kStopAsFailure, kStopAsSuccess };

// Runs a callback with the GIL taken; false when it raised (the exception is
// kept for the caller of execute()).
template <class Call>
bool Guarded(Call&& call)
{
    py::gil_scoped_acquire gil;
    try {
        call();
        return true;
    } catch (...) {
        RememberCallbackError();
    }
    return false;
}

Verdict VerdictOf(const py::object& answer) { return answer.is_none() ? Verdict::kProceed : answer.cast<Verdict>(); }

class CompileListener : public TarnLink::TarnCompileListener {
public:
    explicit CompileListener(py::object callback) : callback_(std::move(callback)) {}
    const py::object& Callback() const { return callback_; }

    void CommandCompiled(TarnLink::TarnCommand& command, bool& proceed, bool& succeedIfStopped) override
    {
        Verdict verdict = Verdict::kStopAsFailure;
        Guarded([&] { verdict = VerdictOf(callback_(CopyCommand(command))); });
        proceed = verdict == Verdict::kProceed;
        succeedIfStopped = verdict == Verdict::kStopAsSuccess;
    }

private:
    py::object callback_;
};

class TransmitListener : public TarnLink::TarnTransmitListener {
public:
    TransmitListener(py::object callback, std::int32_t priority) : callback_(std::move(callback)), priority_(priority)
    {
    }
    const py::object& Callback() const { return callback_; }

    void AboutToTransmit(TarnLink::TarnCommand& command, TarnLink::TarnCommandByteCode& request,
                         TarnLink::TarnCommandByteCode& response, bool& proceed, bool& useResponse,
                         TarnLink::TarnConduit* /*conduit*/) override
    {
        const bool answered = Guarded([&] { Decide(command, request, response, proceed, useResponse); });
        if (!answered) {
            proceed = false;
            useResponse = true;
            response.SetFailed();
        }
    }

    std::int32_t GetPriority() const override { return priority_; }

private:
    // The callback gets the request as a bytearray it may change, and answers
    // None (send it), bytes (the hardware's answer, decoded as such) or a Verdict.
    void Decide(TarnLink::TarnCommand& command, TarnLink::TarnCommandByteCode& request,
                TarnLink::TarnCommandByteCode& response, bool& proceed, bool& useResponse)
    {
        const py::bytes original = PacketBytes(request);
        const std::string originalText = original;
        const py::bytearray editable(originalText);
        const py::object answer = callback_(CopyCommand(command), editable);
        const std::string edited(PyByteArray_AsString(editable.ptr()),
                                 static_cast<std::size_t>(PyByteArray_Size(editable.ptr())));
        if (edited != originalText && !CopyPacket(edited, request)) {
            throw py::value_error(kRequestNoPacket);
        }
        if (PyBytes_Check(answer.ptr()) || PyByteArray_Check(answer.ptr()) || PyMemoryView_Check(answer.ptr())) {
            if (!CopyPacket(BytesOf(answer, kListenerAnswer), response)) {
                throw py::value_error(kAnswerNoPacket);
            }
            proceed = false;
            useResponse = true;
            return;
        }
        switch (VerdictOf(answer)) {
        case Verdict::kProceed:
            return;
        case Verdict::kStopAsSuccess:
            proceed = false;
            useResponse = false;
            return;
        case Verdict::kStopAsFailure:
            proceed = false;
            useResponse = true;
            response.SetFailed();
            return;
        }
    }

    py::object callback_;
    std::int32_t priority_;
};

class ExecutionListener : public TarnLink::TarnExecutionListener {
public:
    explicit ExecutionListener(py::object callback) : callback_(std::move(callback)) {}
    const py::object& Callback() const { return callback_; }

    void CommandExecuted(TarnLink::TarnCommand& command) override
    {
        Guarded([&] { callback_(CopyCommand(command)); });
    }

private:
    py::object callback_;
};

// The installed listeners of one kind. Never destroyed: the library's lists
// outlive the interpreter.
template <class Listener>
std::vector<std::unique_ptr<Listener>>& Installed()
{
    static auto& listeners = *new std::vector<std::unique_ptr<Listener>>();
    return listeners;
}

template <class Listener>
auto FindInstalled(const py::object& callback)
{
    auto& listeners = Installed<Listener>();
    return std::find_if(listeners.begin(), listeners.end(),
                        [&](const std::unique_ptr<Listener>& listener) { return listener->Callback().is(callback); });
}

template <class Listener, class Install, class... Extra>
py::object Add(Install install, const py::object& callback, Extra... extra)
{
    if (FindInstalled<Listener>(callback) != Installed<Listener>().end()) {
        throw py::value_error(kInstalledAlready);
    }
    auto listener = std::make_unique<Listener>(callback, extra...);
    InLibrary(Access::kChangeTables, kAddingListener, [&] { install(listener.get()); });
    Installed<Listener>().push_back(std::move(listener));
    return callback;
}

template <class Listener, class Remove>
bool RemoveIfInstalled(Remove remove, const py::object& callback)
{
    const auto found = FindInstalled<Listener>(callback);
    if (found == Installed<Listener>().end()) {
        return false;
    }
    Listener* raw = found->get();
    InLibrary(Access::kChangeTables, kRemovingListener, [&] { remove(raw); });
    Installed<Listener>().erase(found);
    return true;
}

void RemoveListener(const py::object& callback)
{
    using Factory = TarnLink::TarnCommandFactory;
    const bool removed = RemoveIfInstalled<CompileListener>(&Factory::RemoveTarnCompileListener, callback) |
                         RemoveIfInstalled<TransmitListener>(&Factory::RemoveTarnTransmitListener, callback) |
                         RemoveIfInstalled<ExecutionListener>(&Factory::RemoveTarnExecutionListener, callback);
    if (!removed) {
        throw py::value_error(kNotInstalled);
    }
}

} // namespace

void BindListeners(py::module_& module)
{
    using Factory = TarnLink::TarnCommandFactory;
    py::enum_<Verdict>(module, "Verdict", "What a compile or transmit listener decides about a command.")
        .value("PROCEED", Verdict::kProceed, "Go on (what None means).")
        .value("STOP_AS_FAILURE", Verdict::kStopAsFailure, "Stop the execution; the command fails.")
        .value("STOP_AS_SUCCESS", Verdict::kStopAsSuccess, "Stop the execution; the command succeeds.");
    module.def(
        "on_compiled",
        [](const py::object& callback) { return Add<CompileListener>(&Factory::InstallTarnCompileListener, callback); },
        py::arg("callback"),
        "Installs callback(command) -> Verdict | None, called after each command compiled for\n"
        "execution, in installation order. Returns callback, so it serves as a decorator.");
    module.def(
        "on_transmit",
        [](const py::object& callback, std::int32_t priority) {
            return Add<TransmitListener>(&Factory::InstallTarnTransmitListener, callback, priority);
        },
        py::arg("callback"), py::arg("priority") = 0,
        "Installs callback(command, request: bytearray) -> bytes | Verdict | None, called just\n"
        "before the conduit, by ascending priority. Changing request changes the packet sent;\n"
        "answering bytes stands in for the hardware (the bytes are decoded as its answer), None\n"
        "sends the packet. Returns callback.");
    module.def(
        "on_executed",
        [](const py::object& callback) {
            return Add<ExecutionListener>(&Factory::InstallTarnExecutionListener, callback);
        },
        py::arg("callback"),
        "Installs callback(command), called after each successful execution with the decoded\n"
        "command. Returns callback.");
    module.def("remove_listener", &RemoveListener, py::arg("callback"),
               "Removes a callable installed by on_compiled, on_transmit or on_executed; ValueError\n"
               "when it is not installed. Listeners stay installed when the Library is left.");
}

} // namespace TarnLinkPython
