// POSIX backend of the platform interface.

#include "platform/platform.h"
#include "platform/line_endings.h"

#include <dirent.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <sstream>

namespace TarnLinkPrivate {
namespace Platform {

namespace {

bool IsDirectory(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

std::vector<DirectoryEntry> ListDirectory(const std::string& directory)
{
    std::vector<DirectoryEntry> entries;
    const std::string listed = directory.empty() ? std::string(".") : directory;
    DIR* handle = ::opendir(listed.c_str());
    if (handle == nullptr) {
        return entries;
    }
    while (const dirent* entry = ::readdir(handle)) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..") {
            continue;
        }
        std::string full = listed;
        if (full.back() != '/') {
            full += '/';
        }
        entries.push_back({name, IsDirectory(full + name)});
    }
    ::closedir(handle);
    return entries;
}

std::unique_ptr<std::istream> OpenTextFileForReading(const std::string& path)
{
    if (IsDirectory(path)) {
        return nullptr;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return nullptr;
    }
    const std::string raw((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    return std::make_unique<std::istringstream>(DropCarriageReturnsBeforeLineFeeds(raw));
}

bool CanOpenExistingFileForUpdate(const std::string& path)
{
    return !IsDirectory(path) && ::access(path.c_str(), R_OK | W_OK) == 0;
}

bool AppendToExistingFile(const std::string& path, const std::string& text)
{
    if (!CanOpenExistingFileForUpdate(path)) {
        return false;
    }
    std::ofstream file(path, std::ios::binary | std::ios::app);
    file << text;
    file.close();
    return !file.fail();
}

std::uint32_t TickCountMilliseconds()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    const std::uint64_t millis =
        static_cast<std::uint64_t>(now.tv_sec) * 1000u + static_cast<std::uint64_t>(now.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(millis);
}

} // namespace Platform
} // namespace TarnLinkPrivate
