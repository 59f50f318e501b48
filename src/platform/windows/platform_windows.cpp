// Windows backend of the platform interface: files, directories and the tick.

#include "platform/platform.h"
#include "platform/line_endings.h"
#include "platform/windows/windows_api.h"

#include <io.h>
#include <share.h>

#include <cstdio>
#include <sstream>

namespace TarnLinkPrivate {
namespace Platform {

namespace {

constexpr int kReadAndWriteAccess = 6;

bool IsDirectory(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool EndsWithSeparator(const std::string& path) { return !path.empty() && (path.back() == '/' || path.back() == '\\'); }

std::string ReadWholeFile(std::FILE* file)
{
    std::string raw;
    char block[4096];
    std::size_t count = 0;
    while ((count = std::fread(block, 1, sizeof block, file)) > 0) {
        raw.append(block, count);
    }
    return raw;
}

} // namespace

std::vector<DirectoryEntry> ListDirectory(const std::string& directory)
{
    std::vector<DirectoryEntry> entries;
    const std::string listed = directory.empty() ? std::string(".") : directory;
    const std::string pattern = listed + (EndsWithSeparator(listed) ? "*" : "/*");
    _finddata64i32_t found{};
    const intptr_t search = _findfirst64i32(pattern.c_str(), &found);
    if (search == -1) {
        return entries;
    }
    do {
        const std::string name = found.name;
        if (name != "." && name != "..") {
            entries.push_back({name, (found.attrib & _A_SUBDIR) != 0});
        }
    } while (_findnext64i32(search, &found) == 0);
    _findclose(search);
    return entries;
}

// The file is read as bytes and its line ends dropped as a text-mode read
// would, but without the runtime's end-of-file meaning of Ctrl-Z, so that a
// file reads (and checksums) the same as on other systems.
std::unique_ptr<std::istream> OpenTextFileForReading(const std::string& path)
{
    if (IsDirectory(path)) {
        return nullptr;
    }
    std::FILE* file = _fsopen(path.c_str(), "rb", _SH_DENYNO);
    if (file == nullptr) {
        return nullptr;
    }
    const std::string raw = ReadWholeFile(file);
    std::fclose(file);
    return std::make_unique<std::istringstream>(DropCarriageReturnsBeforeLineFeeds(raw));
}

bool CanOpenExistingFileForUpdate(const std::string& path)
{
    return !IsDirectory(path) && _access(path.c_str(), kReadAndWriteAccess) == 0;
}

bool AppendToExistingFile(const std::string& path, const std::string& text)
{
    if (!CanOpenExistingFileForUpdate(path)) {
        return false;
    }
    std::FILE* file = _fsopen(path.c_str(), "ab", _SH_DENYNO);
    if (file == nullptr) {
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

std::uint32_t TickCountMilliseconds() { return GetTickCount(); }

} // namespace Platform
} // namespace TarnLinkPrivate
