#ifndef TARNLINK_PLATFORM_WINDOWS_WINDOWS_API_H
#define TARNLINK_PLATFORM_WINDOWS_WINDOWS_API_H

// The Win32 declarations the backend uses, without the rarely used parts of
// the system headers and without their min/max macros.

#ifndef WIN32_LEAN_AND_MEAN
#    define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#    define NOMINMAX
#endif
#include <windows.h>

#endif
