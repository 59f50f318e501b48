#ifndef TARNLINK_HWCAPS_HWC_FILE_LOADER_H
#define TARNLINK_HWCAPS_HWC_FILE_LOADER_H

// Loads capability files into the registry: one stream, the library's
// embedded capability files, or the .hwc files of a directory.

#include <iosfwd>
#include <string>

namespace TarnLinkPrivate {

// Parses the stream and registers the set under its hardware type; false
// when the parse fails or the type is registered already.
bool LoadHWCFile(std::istream& input, const std::string& fileName);
// Loads every embedded capability file in order, stopping at the first that
// fails. foundAny tells whether there was at least one.
bool LoadEmbeddedHWCFiles(bool& foundAny);
// Loads the .hwc files of one directory level; false for a null path or at
// the first file that fails.
bool LoadHWCDirectory(const char* path);

} // namespace TarnLinkPrivate

#endif
