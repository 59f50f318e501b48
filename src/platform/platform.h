#ifndef TARNLINK_PLATFORM_PLATFORM_H
#define TARNLINK_PLATFORM_PLATFORM_H

// The one interface between the library and the operating system. Each
// operating system implements it in a backend folder of its own (posix/, windows/).

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace TarnLinkPrivate {
namespace Platform {

// What the library carries inside itself: the items of kind 1 (definition
// files) and kind 2 (capability files), each named by a string.

// The name of the index-th item of one kind, the items listed afresh at each
// call in the order the system enumerates them; false, name unchanged, past
// the last item.
bool EmbeddedItemName(int kind, std::size_t index, std::string& name);

// The bytes of one item, valid while the library stays loaded.
struct EmbeddedBytes {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

// Locates, loads and reads the named item of the kind; false when any of
// these steps fails.
bool LoadEmbeddedItem(int kind, const std::string& name, EmbeddedBytes& bytes);

struct DirectoryEntry {
    std::string name;
    bool isDirectory;
};

// One level of a directory, in the order the system lists it. A directory
// that does not exist or cannot be listed has no entries.
std::vector<DirectoryEntry> ListDirectory(const std::string& directory);

// The whole text of a file as a text-mode read gives it (a carriage return
// before a line feed is dropped), with shared access; null when the file
// cannot be opened.
std::unique_ptr<std::istream> OpenTextFileForReading(const std::string& path);

// Appends text to a file that must already exist and be writable; never
// creates one.
bool AppendToExistingFile(const std::string& path, const std::string& text);

// True when path names an existing file that may be opened for reading and writing.
bool CanOpenExistingFileForUpdate(const std::string& path);

// A file opened for writing, created or truncated, others keeping access.
// Null when it cannot be opened.
std::unique_ptr<std::ostream> OpenTruncatedOutputFile(const std::string& path);

// Milliseconds since the system started, wrapping at 32 bits.
std::uint32_t TickCountMilliseconds();

// The library's own state for the calling thread: one pointer, handed to the
// release function when the thread ends. Behind the platform because where
// the pointer lives differs: the MinGW-w64 runtime frees the storage of C++
// thread_local objects before it runs their destructors.
using ThreadStateRelease = void (*)(void* state);

// The calling thread's state; null until KeepThreadState gives it one, and
// again once it has been released. On POSIX systems a thread-local pointer
// read inline, as every execution reads it; elsewhere a call.
#if defined(_WIN32)
void* ThreadState();
#else
extern thread_local void* tThreadState; // defined in posix/thread_state_posix.cpp
inline void* ThreadState() { return tThreadState; }
#endif

// Makes state the calling thread's, for release to free when the thread ends;
// every call passes the same release. False, and nothing kept, when the system
// has no room for it.
bool KeepThreadState(void* state, ThreadStateRelease release);

} // namespace Platform
} // namespace TarnLinkPrivate

#endif
