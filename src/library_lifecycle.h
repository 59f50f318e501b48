#ifndef TARNLINK_LIBRARY_LIFECYCLE_H
#define TARNLINK_LIBRARY_LIFECYCLE_H

// Start-up and shut-down span every subsystem, so they are sequenced here,
// above all of them.

namespace TarnLinkPrivate {

bool InitializeLibrary();
bool TerminateLibrary();
bool SetInitializationAdditionalPath(const char* path);

} // namespace TarnLinkPrivate

#endif
