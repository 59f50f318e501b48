#include "library_lifecycle.h"

#include <exception>
#include <ostream>
#include <string>
#include <vector>

#include "dictionary/command_registry.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/library_state.h"
#include "dictionary/tcd_file_processor.h"
#include "runtime/conduit_registry.h"
#include "runtime/trace_log.h"
#include "tarnlink/TarnHWCaps.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kAlreadyInited[] = "\n<-> TarnLink already inited\n";
constexpr char kNotTerminatedCleanly[] = "\n<-> ERROR TarnLink did not terminate cleanly!\n";
constexpr char kInitializing[] = "\n<-> Initializing TarnLink...\n";
constexpr char kResourcesFailed[] = "\n\nTarnLink failed initializing while reading Tarn Command Definition resources";
constexpr char kCurrentDirectoryFailed[] = "\n\nTarnLink failed initializing while reading current directory";
constexpr char kDirectoryFailed[] = "\n\nTarnLink failed initializing while reading directory : ";
constexpr char kNoCommands[] = "\n\nTarnLink Initialization failed to find any Tarn commands!!!!!!!";
constexpr char kCapabilitiesFailed[] = "\n\nTarnLink Hardware Capabilities FAILED to initialize!!!!!!!";
constexpr char kCapabilitiesReady[] = "\n\nTarnLink initialized Hardware Capabilites";
constexpr char kInitializeFailed[] = "\n>>> FAILED to initialize TarnLink <<<";
constexpr char kInitialized[] = "\n<->Finished initializing TarnLink - no errors.";
constexpr char kTerminationErrors[] = "\nErrors during termination... : ";
constexpr char kTerminationErrorPrefix[] = "\n\t";
constexpr char kUnknownException[] = "UnknownException";
constexpr char kCurrentDirectory[] = "./";

using HWCapsFactory = TarnLink::HWCaps::TarnHWCapsFactory;
using HWCapsManager = TarnLink::HWCaps::TarnHWCapsManager;

// The additional path for the capability files: only a non-empty one counts.
const char* CapabilitiesPath()
{
    const std::string* path = AdditionalPath();
    return path != nullptr && !path->empty() ? path->c_str() : nullptr;
}

bool LoadDefinitions()
{
    ParseFileProcessor parser;
    bool ok = true;
    bool foundEmbedded = false;
    if (!ProcessEmbeddedTCDFiles(parser, foundEmbedded)) {
        ok = false;
        VerboseMessage(kResourcesFailed);
    }
    if (!foundEmbedded) {
        if (!ProcessDirectory(kCurrentDirectory, parser)) {
            ok = false;
            VerboseMessage(kCurrentDirectoryFailed);
        }
        const std::string* additional = AdditionalPath();
        if (additional != nullptr && !ProcessDirectory(additional->c_str(), parser)) {
            ok = false;
            VerboseMessage(kDirectoryFailed, *additional);
        }
    }
    if (GetNameRegistry().empty()) {
        ErrorMessage(kNoCommands);
        ok = false;
    }
    return ok;
}

bool StartCapabilities()
{
    if (!HWCapsFactory::InitHardwareCapabilitiesInfo(CapabilitiesPath())) {
        ErrorMessage(kCapabilitiesFailed);
        return false;
    }
    VerboseMessage(kCapabilitiesReady);
    return true;
}

bool LoadEverything()
{
    try {
        return LoadDefinitions() && StartCapabilities();
    } catch (const std::exception& error) {
        ErrorMessage(kInitializeException, error.what());
    } catch (...) {
        ErrorMessage(kInitializeUnknownException);
    }
    return false;
}

// A failed start leaves nothing loaded, so that the host may fix its files
// or its additional path and try again.
void ReleasePartialLoad()
{
    std::vector<std::string> ignored;
    try {
        TearDownDictionary(ignored);
        HWCapsFactory::Terminate();
    } catch (...) {
        // Nothing more can be released; the start already reports its failure.
    }
}

// Runs one step of the shut-down, turning an exception into an error text so
// that the later steps still run.
template <typename Step>
void RunShutdownStep(Step step, std::vector<std::string>& errors)
{
    try {
        step();
    } catch (const std::exception& error) {
        errors.emplace_back(error.what());
    } catch (...) {
        errors.emplace_back(kUnknownException);
    }
}

void ReportTerminationErrors(const std::vector<std::string>& errors)
{
    ErrorMessage(kTerminationErrors);
    for (const std::string& error : errors) {
        ErrorMessage(kTerminationErrorPrefix, error);
    }
}

} // namespace

bool InitializeLibrary()
{
    if (InitCount() != 0) {
        ErrorMessage(kAlreadyInited);
        SetInitCount(InitCount() + 1);
        return true;
    }
    if (!IsCleanShutdown()) {
        ErrorMessage(kNotTerminatedCleanly);
        return false;
    }
    VerboseMessage(kInitializing);
    if (!LoadEverything()) {
        ErrorMessage(kInitializeFailed);
        ReleasePartialLoad();
        return false;
    }
    VerboseMessage(kInitialized);
    SetInitCount(1);
    return true;
}

bool TerminateLibrary()
{
    if (InitCount() == 0) {
        return true;
    }
    SetInitCount(InitCount() - 1);
    if (InitCount() > 0) {
        return true;
    }

    std::vector<std::string> errors;
    RunShutdownStep([] { CloseExecutionTraceLogfile(); }, errors);
    SetCleanShutdown(true);
    RunShutdownStep([] { ForgetConduits(); }, errors);
    RunShutdownStep([] { HWCapsManager::Destroy(); }, errors);
    RunShutdownStep(
        [] {
            if (!HWCapsFactory::Terminate()) {
                SetCleanShutdown(false);
            }
        },
        errors);
    TearDownDictionary(errors);
    ForgetAdditionalPath();
    if (!errors.empty()) {
        ReportTerminationErrors(errors);
        SetCleanShutdown(false);
    }
    return IsCleanShutdown();
}

bool SetInitializationAdditionalPath(const char* path)
{
    if (path == nullptr) {
        return false;
    }
    SetAdditionalPath(path);
    return !AdditionalPath()->empty();
}

} // namespace TarnLinkPrivate
