// The C++ runtime's file streams serve every system: they open files without
// denying other readers or writers, on Windows too.

#include "platform/platform.h"

#include <fstream>

namespace TarnLinkPrivate {
namespace Platform {

std::unique_ptr<std::ostream> OpenTruncatedOutputFile(const std::string& path)
{
    auto file = std::make_unique<std::ofstream>(path, std::ios::binary | std::ios::trunc);
    if (!file->is_open()) {
        return nullptr;
    }
    return file;
}

} // namespace Platform
} // namespace TarnLinkPrivate
