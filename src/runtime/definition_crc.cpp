#include "runtime/definition_crc.h"

#include <exception>
#include <ostream>

#include "diagnostics/diagnostics.h"
#include "dictionary/library_state.h"
#include "dictionary/tcd_file_processor.h"
#include "runtime/crc_file_processors.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kCurrentDirectory[] = "./";

constexpr char kGenerateWarning[] = "\n WARNING - GENERATING NEW CRCs FOR TCD Files";
constexpr char kGenerateCurrentFailed[] = "\n\nTarnLink failed to generate CRCs for TCD files in current directory";
constexpr char kGenerateDirectoryFailed[] = "\n\nTarnLink failed to generate CRCs for TCD files in directory : ";
constexpr char kGenerateFailed[] = "\n>>> FAILED to generate CRCs <<<";
constexpr char kGenerateFinished[] = "\n<->Finished generating CRCs - no errors.";

constexpr char kVerifyStarting[] = "\n<-> Verifying CRCs for TCD Files";
constexpr char kVerifyCurrentFailed[] = "\n\nTarnLink failed to verify CRCs for TCD files in current directory";
constexpr char kVerifyDirectoryFailed[] = "\n\nTarnLink failed to verify CRCs for TCD files in directory : ";
constexpr char kVerifyException[] = "\n\nException while verifying CRCs for TCD files : ";
constexpr char kVerifyUnknownException[] = "\n\nUnknown Exception while verifying CRCs for TCD files : ";
constexpr char kVerifyFailed[] = "\n>>> FAILED to verify CRCs <<<";
constexpr char kVerifyFinished[] = "\n<->Finished verifying CRCs - no errors.";

struct WalkMessages {
    const char* currentDirectoryFailed;
    const char* directoryFailed;
    const char* exception;
    const char* unknownException;
    const char* failed;
    const char* finished;
};

constexpr WalkMessages kGenerateMessages{kGenerateCurrentFailed,      kGenerateDirectoryFailed, kInitializeException,
                                         kInitializeUnknownException, kGenerateFailed,          kGenerateFinished};
constexpr WalkMessages kVerifyMessages{kVerifyCurrentFailed,    kVerifyDirectoryFailed, kVerifyException,
                                       kVerifyUnknownException, kVerifyFailed,          kVerifyFinished};

bool WalkDirectories(const char* directory, TCDFileProcessor& processor, const WalkMessages& messages)
{
    bool ok = true;
    try {
        if (!ProcessDirectory(kCurrentDirectory, processor)) {
            ok = false;
            ErrorMessage(messages.currentDirectoryFailed);
        }
        if (directory != nullptr && !ProcessDirectory(directory, processor)) {
            ok = false;
            ErrorMessage(messages.directoryFailed, directory);
        }
    } catch (const std::exception& error) {
        ErrorMessage(messages.exception, error.what());
        ok = false;
    } catch (...) {
        ErrorMessage(messages.unknownException);
        ok = false;
    }
    return ok;
}

// Runs the task over "./" and directory and reports the overall outcome.
bool RunOverDirectories(const char* directory, TCDFileProcessor& processor, const WalkMessages& messages)
{
    if (!WalkDirectories(directory, processor, messages)) {
        ErrorMessage(messages.failed);
        return false;
    }
    VerboseMessage(messages.finished);
    return true;
}

} // namespace

bool GenerateCRCsForTCDFiles(const char* directory)
{
    GenCRCFileProcessor processor;
    ErrorMessage(kGenerateWarning);
    return RunOverDirectories(directory, processor, kGenerateMessages);
}

bool VerifyCRCsForTCDFiles(const char* directory)
{
    CRCCheckProcessor processor;
    VerboseMessage(kVerifyStarting);
    return RunOverDirectories(directory, processor, kVerifyMessages);
}

} // namespace TarnLinkPrivate
