#include "tool_context.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <sstream>

#include "tarnlink/TarnCommandFactory.h"
#include "tarnlink/TarnDictionary.h"

namespace TarnLinkTool {
namespace {

constexpr char kInitializeFailed[] =
    "the command definitions or capability files could not be loaded (run with -v for the library's messages)";
constexpr char kConduitFailed[] = "the device could not be installed as the conduit";
constexpr std::int32_t kDeviceConduitId = 1;

// Swallows whatever is written to it.
class NullBuffer : public std::streambuf {
protected:
    int overflow(int character) override { return traits_type::not_eof(character); }
    std::streamsize xsputn(const char* /*text*/, std::streamsize count) override { return count; }
};

} // namespace

ToolContext::ToolContext(std::ostream& out)
    : out_(out.rdbuf()), originalCoutBuffer_(std::cout.rdbuf()), nullBuffer_(std::make_unique<NullBuffer>()),
      startDirectory_(std::filesystem::current_path())
{
    ApplyDiagnosticsRouting();
}

ToolContext::~ToolContext()
{
    if (device_ != nullptr) {
        TarnLink::TarnCommandFactory::RemoveTargetConduit(&device_->Conduit(), kDeviceConduitId);
    }
    if (libraryLoaded_) {
        TarnLink::TarnCommandFactory::Terminate();
    }
    std::cout.rdbuf(originalCoutBuffer_);
    std::error_code ignored;
    std::filesystem::current_path(startDirectory_, ignored);
}

void ToolContext::AddGlobalOptions(CLI::App& app)
{
    app.add_option("--tcd-dir", tcdDirectory_, "Read the command definitions from the .tcd files of DIR")
        ->type_name("DIR");
    app.add_option("--hwc-dir", hwcDirectory_, "Read the capability files from the .hwc files of DIR")
        ->type_name("DIR");
    app.add_option("--device", globalDevice_,
                   "For run and caps: tcp://HOST:PORT of a device server (see tarnlink serve), or a hardware type")
        ->type_name("DEVICE");
    app.add_flag("-v,--verbose", verbose_, "Show the library's diagnostics (on standard error)");
    app.add_flag("--compile-trace", compileTrace_, "Show the library's compile trace (on standard error)");
}

void ToolContext::AddDeviceOptions(CLI::App& subcommand, DeviceOptions& device)
{
    device.deviceOption = subcommand
                              .add_option("--device", device.hardwareType,
                                          "Hardware type of the virtual device, or tcp://HOST:PORT of a device server")
                              ->type_name("TYPE")
                              ->capture_default_str();
    subcommand
        .add_option("--subcomponent", device.subcomponents,
                    "A sub-component the device reports, e.g. \"HD Board\" (repeatable)")
        ->type_name("TEXT");
}

std::filesystem::path ToolContext::UserPath(const std::string& path) const
{
    const std::filesystem::path given(path);
    return given.is_absolute() ? given : startDirectory_ / given;
}

void ToolContext::ApplyDiagnosticsRouting()
{
    const bool showDiagnostics = verbose_ || compileTrace_;
    std::cout.rdbuf(showDiagnostics ? std::cerr.rdbuf() : nullBuffer_.get());
    TarnLink::TarnCommandFactory::SetVerbosity(verbose_, compileTrace_);
}

// The library reads definition files from "./" and the additional path, and
// capability files from the additional path (or "./" without one). So the
// tool changes into the definition directory and gives the capability
// directory, when it is another one, as the additional path.
void ToolContext::ChooseDefinitionDirectories()
{
    for (const std::string* directory : {&tcdDirectory_, &hwcDirectory_}) {
        if (!directory->empty() && !std::filesystem::is_directory(UserPath(*directory))) {
            throw UsageFailure(kNoSuchDirectory + *directory);
        }
    }
    TarnLink::TarnDictionary::SetEmbeddedFilesEnabled(tcdDirectory_.empty(), hwcDirectory_.empty());
    std::filesystem::path capabilityPath;
    if (!hwcDirectory_.empty()) {
        capabilityPath = std::filesystem::canonical(UserPath(hwcDirectory_));
    }
    if (!tcdDirectory_.empty()) {
        std::filesystem::current_path(UserPath(tcdDirectory_));
        if (capabilityPath == std::filesystem::current_path()) {
            capabilityPath.clear();
        }
    }
    if (!capabilityPath.empty()) {
        TarnLink::TarnCommandFactory::SetInitializationAdditionalPath(capabilityPath.string().c_str());
    }
}

void ToolContext::LoadDictionary()
{
    if (libraryLoaded_) {
        return;
    }
    ApplyDiagnosticsRouting();
    ChooseDefinitionDirectories();
    if (!TarnLink::TarnCommandFactory::Initialize()) {
        throw CommandFailure(kInitializeFailed);
    }
    libraryLoaded_ = true;
}

AttachedDevice& ToolContext::AttachDevice(const DeviceOptions& options)
{
    const bool givenHere = options.deviceOption != nullptr && options.deviceOption->count() > 0;
    const std::string& device = givenHere || globalDevice_.empty() ? options.hardwareType : globalDevice_;
    LoadDictionary();
    device_ = MakeAttachedDevice(device, options.subcomponents, verbose_);
    // Overriding also detects the hardware, as a host does when it finds a
    // box, so the per-command time-outs of its capability file apply.
    TarnLink::TarnConduit* conduit = &device_->Conduit();
    if (!TarnLink::TarnCommandFactory::InstallTargetConduit(conduit, kDeviceConduitId) ||
        !TarnLink::TarnCommandFactory::OverrideConduit(conduit)) {
        throw CommandFailure(kConduitFailed);
    }
    device_->TakePacketLog();
    return *device_;
}

bool ToolContext::CaptureLibraryReport(bool (*operation)(const char*), const char* argument, std::string* report)
{
    std::ostringstream collected;
    std::streambuf* previous = std::cout.rdbuf(collected.rdbuf());
    TarnLink::TarnCommandFactory::SetVerbosity(true, compileTrace_);
    const bool result = operation(argument);
    std::cout.rdbuf(previous);
    ApplyDiagnosticsRouting();
    *report = collected.str();
    return result;
}

} // namespace TarnLinkTool
