#ifndef TARNLINK_TARNEXPORT_H
#define TARNLINK_TARNEXPORT_H

// Symbols are hidden by default; only what carries TARNLINK_API is part of the
// library's binary interface.
#if defined(_WIN32)
#  if defined(TARNLINK_BUILDING_LIBRARY)
#    define TARNLINK_API __declspec(dllexport)
#  elif defined(TARNLINK_STATIC)
#    define TARNLINK_API
#  else
#    define TARNLINK_API __declspec(dllimport)
#  endif
#else
#  define TARNLINK_API __attribute__((visibility("default")))
#endif

#endif
