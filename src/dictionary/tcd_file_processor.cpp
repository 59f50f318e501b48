// The walks over definition files: the embedded ones, and the .tcd files of
// one directory.

#include "dictionary/tcd_file_processor.h"

#include <ostream>
#include <sstream>

#include "diagnostics/diagnostics.h"
#include "dictionary/tcd_parser.h"
#include "platform/platform.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kParseTask[] = "Parsing Tarn Command Definition Files";
constexpr char kProcessingDirectory[] = "\nProcessing directory: ";
constexpr char kTask[] = " Task: ";
constexpr char kLineEnd[] = "\n";
constexpr char kDefinitionSuffix[] = ".tcd";
constexpr char kSeparator = '/';

} // namespace

const char* ParseFileProcessor::GetTaskDescription() const { return kParseTask; }

bool ParseFileProcessor::ProcessFile(std::istream& file, const char* fileName) { return ParseTCDFile(file, fileName); }

bool ProcessEmbeddedTCDFiles(TCDFileProcessor& processor, bool& foundAny)
{
    foundAny = false;
    std::string name;
    for (int index = 0;; ++index) {
        std::unique_ptr<std::istream> file = OpenEmbeddedFile(index, static_cast<int>(EmbeddedFileKind::kTcd), name);
        if (!file) {
            return true;
        }
        foundAny = true;
        if (!processor.ProcessFile(*file, name.c_str())) {
            return false;
        }
    }
}

std::string DirectoryWithSeparator(const std::string& path)
{
    std::string directory = path;
    if (!directory.empty() && directory.back() != kSeparator) {
        directory += kSeparator;
    }
    return directory;
}

bool HasSuffix(const std::string& name, const char* suffix)
{
    if (suffix == nullptr) {
        return false;
    }
    const std::string ending = suffix;
    return name.size() >= ending.size() && name.compare(name.size() - ending.size(), ending.size(), ending) == 0;
}

bool ProcessDirectory(const char* path, TCDFileProcessor& processor)
{
    if (path == nullptr) {
        return false;
    }
    const std::string directory = DirectoryWithSeparator(path);
    VerboseMessage(kProcessingDirectory, path, kTask, processor.GetTaskDescription(), kLineEnd);
    for (const Platform::DirectoryEntry& entry : Platform::ListDirectory(directory)) {
        if (entry.isDirectory || !HasSuffix(entry.name, kDefinitionSuffix)) {
            continue;
        }
        const std::string filePath = directory + entry.name;
        std::unique_ptr<std::istream> file = Platform::OpenTextFileForReading(filePath);
        if (!file) {
            // An unreadable file is still handed over, as one that reads nothing.
            file = std::make_unique<std::istringstream>();
        }
        if (!processor.ProcessFile(*file, filePath.c_str())) {
            return false;
        }
    }
    return true;
}

} // namespace TarnLinkPrivate
