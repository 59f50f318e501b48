#ifndef TARNLINK_RUNTIME_CRC_FILE_PROCESSORS_H
#define TARNLINK_RUNTIME_CRC_FILE_PROCESSORS_H

// The two checksum tasks over definition files: stamping a trailer
// "\n#$ <crc> $ " onto each file, and checking the last such trailer.

#include <iosfwd>

#include "dictionary/tcd_file_processor.h"
#include "runtime/crc_calculator.h"

namespace TarnLinkPrivate {

// Characters read per step when checksumming a file.
constexpr std::size_t kCRCBlockSize = 512;

class GenCRCFileProcessor final : public TCDFileProcessor {
public:
    const char* GetTaskDescription() const override;
    // Opens fileName itself for update; the stream handed in is not used.
    bool ProcessFile(std::istream& file, const char* fileName) override;

private:
    CRCCalculator crc_;
};

class CRCCheckProcessor final : public TCDFileProcessor {
public:
    const char* GetTaskDescription() const override;
    bool ProcessFile(std::istream& file, const char* fileName) override;

private:
    CRCCalculator crc_;
};

} // namespace TarnLinkPrivate

#endif
