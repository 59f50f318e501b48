#ifndef TARNLINK_TARNNETEXPORT_H
#define TARNLINK_TARNNETEXPORT_H

// The binary interface of the network library, tarnlink_net: only what carries
// TARNLINK_NET_API is exported from it.
#if defined(_WIN32)
#    if defined(TARNLINK_BUILDING_NET)
#        define TARNLINK_NET_API __declspec(dllexport)
#    elif defined(TARNLINK_STATIC)
#        define TARNLINK_NET_API
#    else
#        define TARNLINK_NET_API __declspec(dllimport)
#    endif
#else
#    define TARNLINK_NET_API __attribute__((visibility("default")))
#endif

#endif
