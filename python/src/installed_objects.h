#ifndef TARNLINK_PYTHON_INSTALLED_OBJECTS_H
#define TARNLINK_PYTHON_INSTALLED_OBJECTS_H

// The library never owns conduits; while one is installed, the module keeps
// the Python object alive.

namespace TarnLinkPython {

// Drops the module's references to installed conduits, once the library
// forgot them (it does at shut-down). GIL held.
void ForgetInstalledConduits();

} // namespace TarnLinkPython

#endif
