#ifndef TARNLINK_TARNEXPORT_H
#define TARNLINK_TARNEXPORT_H

// Symbols are hidden by default; only what carries TARNLINK_API (the library)
// or TARNLINK_VIRTUAL_API (the virtual device library) is part of a library's
// binary interface. On Windows a DLL exports them and its users import them;
// a program that links the library's code directly defines TARNLINK_STATIC.
#if defined(_WIN32)
#    define TARNLINK_EXPORTED_SYMBOL __declspec(dllexport)
#    define TARNLINK_IMPORTED_SYMBOL __declspec(dllimport)
#    define TARNLINK_LINKED_SYMBOL
#else
#    define TARNLINK_EXPORTED_SYMBOL __attribute__((visibility("default")))
#    define TARNLINK_IMPORTED_SYMBOL __attribute__((visibility("default")))
#    define TARNLINK_LINKED_SYMBOL __attribute__((visibility("default")))
#endif

#if defined(TARNLINK_BUILDING_LIBRARY)
#    define TARNLINK_API TARNLINK_EXPORTED_SYMBOL
#elif defined(TARNLINK_STATIC)
#    define TARNLINK_API TARNLINK_LINKED_SYMBOL
#else
#    define TARNLINK_API TARNLINK_IMPORTED_SYMBOL
#endif

#if defined(TARNLINK_BUILDING_VIRTUAL_DEVICE)
#    define TARNLINK_VIRTUAL_API TARNLINK_EXPORTED_SYMBOL
#else
#    define TARNLINK_VIRTUAL_API TARNLINK_IMPORTED_SYMBOL
#endif

#endif
