#ifndef TARNLINK_PYTHON_BINDINGS_H
#define TARNLINK_PYTHON_BINDINGS_H

// The parts of the module tarnlink, each binding one area of the library.

#include <pybind11/pybind11.h>

namespace TarnLinkPython {

void BindLibrary(pybind11::module_& module);      // Library, verbosity, the trace log
void BindCommand(pybind11::module_& module);      // Command, commands(), describe()
void BindExecution(pybind11::module_& module);    // CommandError, compile(), decompile(), execute()
void BindConduits(pybind11::module_& module);     // Conduit, VirtualDevice, TcpConduit, install_conduit()
void BindListeners(pybind11::module_& module);    // listeners as callables
void BindCapabilities(pybind11::module_& module); // the submodule caps
void BindNetwork(pybind11::module_& module);      // TcpConduit, DeviceServer (with the network library)

} // namespace TarnLinkPython

#endif
