#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>
#include <stdexcept>

#include "stop_signals.h"
#include "subcommands.h"
#include "tarnlink/TarnNetwork.h"
#include "tarnlink/TarnVirtualDevice.h"
#include "tool_context.h"

namespace TarnLinkTool {
namespace {

constexpr char kBadListen[] = "--listen takes HOST:PORT (port 0: any free port), not '";
constexpr char kServing[] = "Serving a virtual ";
constexpr char kOn[] = " on ";
constexpr char kHowToStop[] = " (Ctrl+C stops)\n";
constexpr char kStopped[] = "Stopped\n";
constexpr char kLogPrefix[] = "tarnlink serve: ";

struct ServeOptions {
    std::string listen = "127.0.0.1:" + std::to_string(TarnLink::Net::kDefaultPort);
    std::string hardwareType = "StudioBox";
    std::vector<std::string> subcomponents;
    std::uint32_t maxConnections = TarnLink::Net::DeviceServerOptions{}.maxConnections;
    std::uint32_t idleTimeoutMillisec = TarnLink::Net::DeviceServerOptions{}.idleTimeoutMillisec;
};

// The virtual device as a server offers it: it forgets each packet once
// answered, so that its log does not grow for as long as the server runs.
class ServedVirtualDevice : public TarnLink::TarnConduit {
public:
    explicit ServedVirtualDevice(TarnLink::TarnVirtualDevice& device) : device_(device) {}

    bool Transmit(const char* commandName, const TarnLink::TarnCommandByteCode& request,
                  TarnLink::TarnCommandByteCode* response, std::uint32_t timeoutMillisec) override
    {
        const bool transmitted = device_.Transmit(commandName, request, response, timeoutMillisec);
        device_.ClearPacketLog();
        return transmitted;
    }
    void CommandSucceeded(TarnLink::TarnCommand& command) override { device_.CommandSucceeded(command); }
    void Lock() override { device_.Lock(); }
    void Unlock() override { device_.Unlock(); }

private:
    TarnLink::TarnVirtualDevice& device_;
};

TarnLink::Net::DeviceServerOptions ServerOptions(const ToolContext& context, const ServeOptions& options)
{
    TarnLink::Net::DeviceServerOptions server;
    if (!TarnLink::Net::TcpAddress::Parse(options.listen, &server.listen) ||
        TarnLink::Net::TcpAddress::IsUrl(options.listen)) {
        throw UsageFailure(kBadListen + options.listen + "'");
    }
    server.maxConnections = options.maxConnections;
    server.idleTimeoutMillisec = options.idleTimeoutMillisec;
    if (context.Verbose()) {
        // A line of its own after the library's diagnostics, which end without one.
        server.log = [](const std::string& line) { std::cerr << '\n' << kLogPrefix << line << std::flush; };
    }
    return server;
}

void Serve(ToolContext& context, const ServeOptions& options)
{
    const TarnLink::Net::DeviceServerOptions serverOptions = ServerOptions(context, options);
    context.LoadDictionary();
    TarnLink::TarnVirtualDevice device(options.hardwareType.c_str());
    for (const std::string& subcomponent : options.subcomponents) {
        device.AddSubcomponent(subcomponent.c_str());
    }
    ServedVirtualDevice served(device);
    TarnLink::Net::DeviceServer server(served, serverOptions);

    StopSignals stopSignals; // before the server says it is ready, so no signal falls between
    try {
        server.Start();
    } catch (const std::runtime_error& error) {
        throw CommandFailure(error.what());
    }
    const TarnLink::Net::TcpAddress listening{serverOptions.listen.host, server.GetPort()};
    context.Out() << kServing << options.hardwareType << kOn << listening.ToUrl() << kHowToStop << std::flush;
    stopSignals.Wait();
    server.Stop();
    context.Out() << kStopped;
}

} // namespace

void AddServeCommand(CLI::App& app, ToolContext& context)
{
    auto options = std::make_shared<ServeOptions>();
    CLI::App* serve = app.add_subcommand(
        "serve", "Serve a virtual device to tarnlink --device tcp://HOST:PORT and to hosts' TcpConduits");
    serve->add_option("--listen", options->listen, "Address to listen on; port 0 takes any free port")
        ->type_name("HOST:PORT")
        ->capture_default_str();
    serve->add_option("--hardware", options->hardwareType, "Hardware type of the virtual device")
        ->type_name("TYPE")
        ->capture_default_str();
    serve
        ->add_option("--subcomponent", options->subcomponents,
                     "A sub-component the device reports, e.g. \"HD Board\" (repeatable)")
        ->type_name("TEXT");
    serve->add_option("--max-connections", options->maxConnections, "Connections served at once")
        ->type_name("N")
        ->check(CLI::PositiveNumber)
        ->capture_default_str();
    serve
        ->add_option("--idle-timeout", options->idleTimeoutMillisec,
                     "Close a connection that sends no request for MS milliseconds (0: never)")
        ->type_name("MS")
        ->capture_default_str();
    serve->callback([&context, options] { Serve(context, *options); });
}

} // namespace TarnLinkTool
