#include "hwcaps/hwc_file_loader.h"

#include <istream>
#include <memory>
#include <sstream>

#include "diagnostics/diagnostics.h"
#include "dictionary/tcd_file_processor.h"
#include "hwcaps/hwc_parser.h"
#include "hwcaps/hwcaps_registry.h"
#include "platform/platform.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kDuplicateHardwareTypeId[] = "\n\nERROR - Duplicate HardwareTypeID in file : ";
constexpr char kHardwareTypeIdLabel[] = " HardwareTypeID : ";
constexpr char kHWCSuffix[] = ".hwc";

} // namespace

bool LoadHWCFile(std::istream& input, const std::string& fileName)
{
    auto data = std::make_unique<HWCapsData>();
    if (!ParseHWCStream(*data, input, fileName)) {
        return false;
    }
    if (!RegisterHWCapsData(data)) {
        ErrorMessage(kDuplicateHardwareTypeId, fileName, kHardwareTypeIdLabel, data->HardwareType());
        return false;
    }
    return true;
}

bool LoadEmbeddedHWCFiles(bool& foundAny)
{
    foundAny = false;
    std::string name;
    for (int index = 0;; ++index) {
        const std::unique_ptr<std::istream> file =
            OpenEmbeddedFile(index, static_cast<int>(EmbeddedFileKind::kHwc), name);
        if (!file) {
            return true;
        }
        foundAny = true;
        if (!LoadHWCFile(*file, name)) {
            return false;
        }
    }
}

bool LoadHWCDirectory(const char* path)
{
    if (path == nullptr) {
        return false;
    }
    const std::string directory = DirectoryWithSeparator(path);
    for (const Platform::DirectoryEntry& entry : Platform::ListDirectory(directory)) {
        if (entry.isDirectory || !HasSuffix(entry.name, kHWCSuffix)) {
            continue;
        }
        const std::string fileName = directory + entry.name;
        std::unique_ptr<std::istream> file = Platform::OpenTextFileForReading(fileName);
        // A file that cannot be opened reads as an empty one.
        std::istringstream unreadable;
        if (!LoadHWCFile(file ? *file : unreadable, fileName)) {
            return false;
        }
    }
    return true;
}

} // namespace TarnLinkPrivate
