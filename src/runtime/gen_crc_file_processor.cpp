#include "runtime/crc_file_processors.h"

#include <istream>
#include <memory>
#include <ostream>
#include <string>

#include "diagnostics/diagnostics.h"
#include "platform/platform.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kTaskDescription[] = "Generating CRCs for Tarn Command Definition Files";
constexpr char kGenerating[] = "\nGenerating CRC on Tarn Command Definition File : ";
// The checksum covers the file up to and including this opening of the trailer.
constexpr char kTrailerOpening[] = "\n#";
constexpr char kTrailerValuePrefix[] = "$ ";
constexpr char kTrailerValueSuffix[] = " $ ";

void ChecksumWholeText(std::istream& text, CRCCalculator& crc)
{
    char block[kCRCBlockSize];
    crc.Begin();
    while (text.read(block, sizeof block) || text.gcount() > 0) {
        crc.Update(reinterpret_cast<const unsigned char*>(block), static_cast<std::size_t>(text.gcount()));
    }
    crc.End();
}

} // namespace

const char* GenCRCFileProcessor::GetTaskDescription() const { return kTaskDescription; }

bool GenCRCFileProcessor::ProcessFile(std::istream&, const char* fileName)
{
    if (fileName == nullptr) {
        return false;
    }
    VerboseMessage(kGenerating, fileName, "\n");
    const std::string path = fileName;
    if (!Platform::CanOpenExistingFileForUpdate(path) || !Platform::AppendToExistingFile(path, kTrailerOpening)) {
        return false;
    }
    const std::unique_ptr<std::istream> text = Platform::OpenTextFileForReading(path);
    if (!text) {
        return false;
    }
    ChecksumWholeText(*text, crc_);
    return Platform::AppendToExistingFile(path,
                                          kTrailerValuePrefix + std::to_string(crc_.GetValue()) + kTrailerValueSuffix);
}

} // namespace TarnLinkPrivate
