// tarnlink.TcpConduit and tarnlink.DeviceServer: devices over TCP, from the
// network library. Built only when that library is.

#include <memory>
#include <string>

#include "bindings.h"
#include "tarnlink/TarnNetwork.h"

namespace py = pybind11;

namespace TarnLinkPython {
namespace {

using TarnLink::Net::DeviceServer;
using TarnLink::Net::TcpConduit;

// Stopping a server waits for the packet its device is answering; a Python
// device needs the GIL for that answer.
struct ServedDevice {
    std::unique_ptr<DeviceServer> server;

    ~ServedDevice()
    {
        py::gil_scoped_release released;
        server.reset();
    }
};

// Members wait for locks that a thread answering a packet through Python may
// hold: they run without the GIL.
using Release = py::call_guard<py::gil_scoped_release>;

void BindTcpConduit(py::module_& module)
{
    py::class_<TcpConduit, TarnLink::TarnConduit>(module, "TcpConduit", R"(A conduit to a device served over TCP.

    box = tarnlink.TcpConduit("tcp://127.0.0.1:7300")
    tarnlink.install_conduit(box, 1)

It connects on the first packet and keeps the connection; after a failure the next
packet connects afresh. A command that gets no answer fails with kTLTimeOut, one whose
connection fails with kTLTransmitFailure; last_error says why.)")
        .def(py::init<const std::string&>(), py::arg("url"), "url is 'tcp://HOST:PORT' (ValueError for anything else).")
        .def(py::init<const std::string&, std::uint16_t>(), py::arg("host"), py::arg("port"))
        .def_property_readonly(
            "address", py::cpp_function([](const TcpConduit& self) { return self.GetAddress().ToUrl(); }, Release()),
            "'tcp://HOST:PORT'.")
        .def_property("default_timeout_ms", py::cpp_function(&TcpConduit::GetDefaultTimeout, Release()),
                      py::cpp_function(&TcpConduit::SetDefaultTimeout, Release()),
                      "The time-out of an exchange given 0 (5000 at first; 0 restores that).")
        .def("set_verbose", &TcpConduit::SetVerbose, py::arg("verbose"), Release(),
             "Writes each failure to the process's standard output too.")
        .def_property_readonly("is_connected", py::cpp_function(&TcpConduit::IsConnected, Release()),
                               "True while a connection is open.")
        .def("disconnect", &TcpConduit::Disconnect, Release(), "Closes the connection.")
        .def_property_readonly("last_error", py::cpp_function(&TcpConduit::GetLastError, Release()),
                               "Why the last exchange failed; empty after a success.");
}

void BindDeviceServer(py::module_& module)
{
    py::class_<ServedDevice>(module, "DeviceServer", R"(Offers a conduit (a VirtualDevice, say) to TCP connections.

    with tarnlink.DeviceServer(tarnlink.VirtualDevice(), port=0) as server:
        box = tarnlink.TcpConduit("127.0.0.1", server.port)

It listens on the loopback address unless told otherwise and answers each packet
through the device, one at a time, on threads of its own; the Library must be open.
The device is kept alive as long as the server.)")
        .def(py::init([](TarnLink::TarnConduit& device, const std::string& host, std::uint16_t port) {
                 TarnLink::Net::DeviceServerOptions options;
                 options.listen.host = host;
                 options.listen.port = port;
                 auto served = std::make_unique<ServedDevice>();
                 served->server = std::make_unique<DeviceServer>(device, options);
                 return served;
             }),
             py::arg("device"), py::kw_only(), py::arg("host") = "127.0.0.1",
             py::arg("port") = TarnLink::Net::kDefaultPort, py::keep_alive<1, 2>())
        .def(
            "start", [](ServedDevice& self) { self.server->Start(); }, Release(),
            "Starts serving; RuntimeError when the address cannot be bound.")
        .def(
            "stop", [](ServedDevice& self) { self.server->Stop(); }, Release(),
            "Closes the listener and every connection.")
        .def_property_readonly(
            "is_running",
            py::cpp_function([](const ServedDevice& self) { return self.server->IsRunning(); }, Release()),
            "True while serving.")
        .def_property_readonly(
            "port", py::cpp_function([](const ServedDevice& self) { return self.server->GetPort(); }, Release()),
            "The port listened on (the one chosen for port=0); 0 when not running.")
        .def_property_readonly(
            "connection_count",
            py::cpp_function([](const ServedDevice& self) { return self.server->GetConnectionCount(); }, Release()),
            "The open connections.")
        .def(
            "__enter__",
            [](py::object self) {
                ServedDevice& served = self.cast<ServedDevice&>();
                py::gil_scoped_release released;
                served.server->Start();
                return self;
            },
            "Starts serving.")
        .def(
            "__exit__", [](ServedDevice& self, const py::args&) { self.server->Stop(); }, Release(), "Stops serving.");
}

} // namespace

void BindNetwork(py::module_& module)
{
    BindTcpConduit(module);
    BindDeviceServer(module);
}

} // namespace TarnLinkPython
