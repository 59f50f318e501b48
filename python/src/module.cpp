// The module tarnlink: the library's dictionary, commands, conduits, listeners
// and capability questions for Python.

#include <pybind11/pybind11.h>

#include "bindings.h"

PYBIND11_MODULE(tarnlink, module)
{
    module.doc() =
        "Named-command control of external video and audio hardware.\n\n"
        "    import tarnlink\n"
        "    with tarnlink.Library():\n"
        "        tarnlink.install_conduit(tarnlink.VirtualDevice(hardware=\"StudioBox\"), 1)\n"
        "        tarnlink.execute(tarnlink.Command(\"AudioHostChanMute\", HostChannel=5, "
        "Mute=\"AudioHostChan_MuteOn\"))\n"
        "        print(tarnlink.execute(tarnlink.Command.request(\"AudioHostChanMute\", HostChannel=5))[\"Mute\"])\n\n"
        "The library runs without the GIL: Python threads may execute commands at\n"
        "the same time (the current conduit's lock serializes the executions), and\n"
        "conduits and listeners written in Python are called with the GIL taken.\n"
        "An exception raised by such a callback fails the command and is raised\n"
        "again from the call that executed it.";
    TarnLinkPython::BindLibrary(module);
    TarnLinkPython::BindCommand(module);
    TarnLinkPython::BindExecution(module);
    TarnLinkPython::BindConduits(module);
    TarnLinkPython::BindListeners(module);
    TarnLinkPython::BindCapabilities(module);
#ifdef TARNLINK_PYTHON_WITH_NETWORK
    TarnLinkPython::BindNetwork(module);
#endif
}
