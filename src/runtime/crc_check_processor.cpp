#include "runtime/crc_file_processors.h"

#include <cctype>
#include <istream>
#include <ostream>
#include <string>

#include "diagnostics/diagnostics.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kTaskDescription[] = "Checking CRCs for Tarn Command Definition Files";
constexpr char kChecking[] = "\nChecking CRC on Tarn Command Definition File : ";
constexpr char kValid[] = "\nValid CRC on Tarn Command Definition File : ";
constexpr char kBad[] = "\nBAD CRC on Tarn Command Definition File : ";
constexpr char kTrailerMark = '$';

std::string ReadAll(std::istream& file)
{
    std::string text;
    char block[kCRCBlockSize];
    while (file.read(block, sizeof block) || file.gcount() > 0) {
        text.append(block, static_cast<std::size_t>(file.gcount()));
    }
    return text;
}

// The unsigned decimal number after the trailer's opening mark; false when
// there is none or it does not fit 32 bits.
bool ReadExpectedValue(const std::string& text, std::size_t opening, std::uint32_t* value)
{
    std::size_t position = opening + 1;
    while (position < text.size() && std::isspace(static_cast<unsigned char>(text[position])) != 0) {
        ++position;
    }
    std::uint64_t number = 0;
    const std::size_t firstDigit = position;
    for (; position < text.size() && std::isdigit(static_cast<unsigned char>(text[position])) != 0; ++position) {
        number = number * 10 + static_cast<std::uint64_t>(text[position] - '0');
        if (number > 0xFFFFFFFFu) {
            return false;
        }
    }
    *value = static_cast<std::uint32_t>(number);
    return position > firstDigit;
}

} // namespace

const char* CRCCheckProcessor::GetTaskDescription() const { return kTaskDescription; }

bool CRCCheckProcessor::ProcessFile(std::istream& file, const char* fileName)
{
    const char* shownName = fileName != nullptr ? fileName : "";
    VerboseMessage(kChecking, shownName);
    file.clear();
    file.seekg(0);
    file.clear();
    const std::string text = ReadAll(file);
    // The last trailer ends with a mark of its own, so its opening mark is the
    // second one counted from the end.
    const std::size_t closing = text.rfind(kTrailerMark);
    if (closing == std::string::npos || closing == 0) {
        return false;
    }
    const std::size_t opening = text.rfind(kTrailerMark, closing - 1);
    if (opening == std::string::npos) {
        return false;
    }
    std::uint32_t expected = 0;
    const bool hasNumber = ReadExpectedValue(text, opening, &expected);
    crc_.SetExpectedValue(expected);
    crc_.Begin();
    crc_.Update(reinterpret_cast<const unsigned char*>(text.data()), opening);
    crc_.End();
    if (hasNumber && crc_.IsValid()) {
        VerboseMessage(kValid, shownName, "\n");
        return true;
    }
    ErrorMessage(kBad, shownName, "\n");
    return false;
}

} // namespace TarnLinkPrivate
