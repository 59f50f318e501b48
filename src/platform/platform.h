#ifndef TARNLINK_PLATFORM_PLATFORM_H
#define TARNLINK_PLATFORM_PLATFORM_H

// The one interface between the library and the operating system. Each
// operating system implements it in a backend folder of its own (posix/).

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace TarnLinkPrivate {
namespace Platform {

// A file carried inside the library, as listed by the resource manifest.
struct EmbeddedItem {
    int kind;          // 1: definition file, 2: capability file
    const char* name;  // the item's name in the manifest
    const unsigned char* bytes;
    std::size_t size;
};

// The embedded items in manifest order (the build generates this table).
std::size_t EmbeddedItemCount();
const EmbeddedItem& EmbeddedItemAt(std::size_t index);

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

} // namespace Platform
} // namespace TarnLinkPrivate

#endif
