#ifndef TARNLINK_DICTIONARY_TCD_FILE_PROCESSOR_H
#define TARNLINK_DICTIONARY_TCD_FILE_PROCESSOR_H

// One task applied to every definition file of a walk: parsing at start-up,
// checksum stamping and checking on request.

#include <iosfwd>
#include <memory>
#include <string>

namespace TarnLinkPrivate {

class TCDFileProcessor {
public:
    virtual ~TCDFileProcessor() = default;
    virtual const char* GetTaskDescription() const = 0;
    // False stops the walk.
    virtual bool ProcessFile(std::istream& file, const char* fileName) = 0;
};

class ParseFileProcessor final : public TCDFileProcessor {
public:
    const char* GetTaskDescription() const override;
    bool ProcessFile(std::istream& file, const char* fileName) override;
};

enum class EmbeddedFileKind : int { kTcd = 1, kHwc = 2 };

// The index-th embedded item of the kind (kind given as its number, so that
// any value may be asked for), as a text stream with one blank added; null
// when there is none, it is empty or kind is neither 1 nor 2.
std::unique_ptr<std::istream> OpenEmbeddedFile(int index, int kind, std::string& name);

// While a kind is disabled, OpenEmbeddedFile gives none of it, so that its
// files are read from directories. Both kinds are enabled at load.
void SetEmbeddedFilesEnabled(bool definitions, bool capabilities);

bool ProcessEmbeddedTCDFiles(TCDFileProcessor& processor, bool& foundAny);
bool ProcessDirectory(const char* path, TCDFileProcessor& processor);

// The .tcd (or other four-character suffix) files of a directory, joined to
// the directory as a walk names them; shared with the capability file scan.
std::string DirectoryWithSeparator(const std::string& path);
bool HasSuffix(const std::string& name, const char* suffix);

} // namespace TarnLinkPrivate

#endif
