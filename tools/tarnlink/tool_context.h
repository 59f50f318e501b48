#ifndef TARNLINK_TOOL_TOOL_CONTEXT_H
#define TARNLINK_TOOL_TOOL_CONTEXT_H

#include <filesystem>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <streambuf>
#include <string>
#include <vector>

#include "attached_device.h"

namespace CLI {
class App;
class Option;
} // namespace CLI

namespace TarnLinkTool {

// A failure of the command that was asked for: exit code 1.
class CommandFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A command line the tool cannot act on: exit code 2.
class UsageFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Texts that more than one subcommand writes.
constexpr char kNoSuchDirectory[] = "no such directory: ";
constexpr char kTypeMismatch[] = "a parameter's type does not match the definition";

constexpr int kExitSuccess = 0;
constexpr int kExitCommandFailure = 1;
constexpr int kExitUsage = 2;

struct DeviceOptions {
    // A hardware type of the virtual device, or a device server's tcp:// address.
    std::string hardwareType = "StudioBox";
    std::vector<std::string> subcomponents;
    const CLI::Option* deviceOption = nullptr; // tells whether --device was given
};

// What every subcommand shares: the global options, the tool's own output,
// the library's lifetime and the virtual device.
//
// The library writes its diagnostics to standard output. The tool keeps its
// own output on a stream of its own and sends the library's to standard error
// with -v or --compile-trace, and nowhere otherwise.
class ToolContext {
public:
    explicit ToolContext(std::ostream& out);
    ~ToolContext();
    ToolContext(const ToolContext&) = delete;
    ToolContext& operator=(const ToolContext&) = delete;

    void AddGlobalOptions(CLI::App& app);
    void AddDeviceOptions(CLI::App& subcommand, DeviceOptions& device);

    std::ostream& Out() { return out_; }
    // A path from the command line, made absolute against the directory the
    // tool was started in (loading from --tcd-dir changes directory).
    std::filesystem::path UserPath(const std::string& path) const;

    // Loads the dictionary and the capability files; a failure throws.
    void LoadDictionary();
    // The device the subcommand's --device names (the global --device when
    // it names none), installed as the current conduit, its hardware detected.
    AttachedDevice& AttachDevice(const DeviceOptions& options);

    // Runs operation(argument) with the verbose flag on and its diagnostics
    // collected into report, for the subcommands whose report they are.
    bool CaptureLibraryReport(bool (*operation)(const char*), const char* argument, std::string* report);

    bool Verbose() const { return verbose_; }

private:
    void ApplyDiagnosticsRouting();
    void ChooseDefinitionDirectories();

    std::ostream out_;
    std::streambuf* originalCoutBuffer_;
    std::unique_ptr<std::streambuf> nullBuffer_;
    std::filesystem::path startDirectory_;
    std::string tcdDirectory_;
    std::string hwcDirectory_;
    std::string globalDevice_;
    bool verbose_ = false;
    bool compileTrace_ = false;
    bool libraryLoaded_ = false;
    std::unique_ptr<AttachedDevice> device_;
};

} // namespace TarnLinkTool

#endif
