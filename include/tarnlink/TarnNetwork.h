#ifndef TARNLINK_TARNNETWORK_H
#define TARNLINK_TARNNETWORK_H

// Devices over the network: a conduit that reaches a device through a TCP
// connection, and a server that offers any conduit (a virtual device, or the
// host's own conduit to real hardware) to such connections. Both live in
// their own library, tarnlink_net (CMake target TarnLink::tarnlink_net); the
// core library knows nothing of sockets.
//
// On the device's side:
//
//     TarnLink::TarnCommandFactory::Initialize();
//     TarnLink::TarnVirtualDevice box("StudioBox");
//     TarnLink::Net::DeviceServerOptions options;      // 127.0.0.1:7300
//     TarnLink::Net::DeviceServer server(box, options);
//     server.Start();                                   // serves until Stop or destruction
//
// On the host's side:
//
//     TarnLink::Net::TcpConduit box("tcp://127.0.0.1:7300");
//     TarnLink::TarnCommandFactory::InstallTargetConduit(&box, 1);
//     TarnLink::TarnCommandFactory::OverrideConduit(&box);  // detects the served hardware
//     TarnLink::TarnCommand mute("AudioHostChanMute");
//     ...
//     TarnLink::TarnCommandFactory::Execute(mute);
//
// The wire: every packet travels as a frame, a 4-byte big-endian length
// followed by that many bytes of the packet, in both directions; the server
// answers each request frame with exactly one response frame, in order. A
// length of 0 or above kMaxFrameLength is a protocol error, and the side that
// reads it closes the connection. docs/network.md shows a frame byte by byte.
//
// Thread safety: every member of both classes is safe to call from several
// threads. A TcpConduit carries one exchange at a time; its Lock is the
// re-entrant lock that Transmit itself takes, so host threads that share one
// TcpConduit, through the library or directly, never interleave frames.
// DeviceServer calls the served conduit from one thread of its own, one
// packet at a time, holding the served conduit's Lock around each Transmit.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "tarnlink/TarnHostInterfaces.h"
#include "tarnlink/TarnNetExport.h"

namespace TarnLink {
namespace Net {

// The largest packet a frame may carry (a TarnLink packet is far smaller).
constexpr std::uint32_t kMaxFrameLength = 65536;
// The time-out of an exchange when Transmit is given 0.
constexpr std::uint32_t kDefaultTimeoutMillisec = 5000;
// The port of `tarnlink serve` unless told otherwise.
constexpr std::uint16_t kDefaultPort = 7300;

// A host name or address and a port, as written "HOST:PORT", "[IPv6]:PORT"
// or, as a URL, "tcp://HOST:PORT".
struct TARNLINK_NET_API TcpAddress {
    std::string host;
    std::uint16_t port = 0;

    // Reads the forms above (the "tcp://" prefix optional); false, with the
    // address untouched, for anything else: no host, no port, a port that is
    // not a number from 0 to 65535, another scheme.
    static bool Parse(const std::string& text, TcpAddress* address);
    // True when text begins with "tcp://": it names a device server.
    static bool IsUrl(const std::string& text);
    // "tcp://HOST:PORT", with brackets around an IPv6 address.
    std::string ToUrl() const;
};

// A conduit to a device server. It connects on the first Transmit, keeps the
// connection for the next ones and, after any failure, closes it so that the
// next Transmit connects afresh.
//
// Transmit returns false when no answer came; the response then tells why, as
// the library reads it: a timed-out status (kTLTimeOut) when the answer did
// not arrive within the time-out, a transmit-failure status
// (kTLTransmitFailure) when the connection could not be made, broke, or
// carried a malformed frame. GetLastError says which, in words, and with
// SetVerbose(true) each failure is also written to std::cout, where the
// library writes its own diagnostics.
class TARNLINK_NET_API TcpConduit : public TarnConduit {
public:
    TcpConduit(const std::string& host, std::uint16_t port);
    // url is "tcp://HOST:PORT"; anything else throws std::invalid_argument.
    explicit TcpConduit(const std::string& url);
    ~TcpConduit() override;
    TcpConduit(const TcpConduit&) = delete;
    TcpConduit& operator=(const TcpConduit&) = delete;

    TcpAddress GetAddress() const;
    // The time-out of a Transmit that is given 0 (kDefaultTimeoutMillisec at
    // first; 0 restores that).
    void SetDefaultTimeout(std::uint32_t timeoutMillisec);
    std::uint32_t GetDefaultTimeout() const;
    void SetVerbose(bool verbose);

    bool IsConnected() const;
    // Closes the connection; the next Transmit connects again.
    void Disconnect();
    // Why the last Transmit failed; empty after a success.
    std::string GetLastError() const;

    // The time-out covers the whole exchange: connecting, sending, waiting.
    bool Transmit(const char* commandName, const TarnCommandByteCode& request, TarnCommandByteCode* response,
                  std::uint32_t timeoutMillisec) override;
    void CommandSucceeded(TarnCommand& command) override;
    void Lock() override;
    void Unlock() override;

private:
    struct State;
    std::unique_ptr<State> state_;
};

struct DeviceServerOptions {
    // The loopback address unless told otherwise; port 0 takes any free port.
    TcpAddress listen{"127.0.0.1", kDefaultPort};
    // Connections beyond this many are closed as soon as they are accepted.
    std::uint32_t maxConnections = 16;
    // A connection that sends no complete request for this long is closed
    // (0: never).
    std::uint32_t idleTimeoutMillisec = 60000;
    // Told of every connection opened, refused and closed, and of protocol
    // errors; called on the server's network thread.
    std::function<void(const std::string&)> log;
};

// Offers one conduit, the device, to every connection at once, as one box on
// a network would be: the connections share the device and its state, and
// their packets reach it one at a time. A slow answer holds up only the
// packets queued behind it; a connection that sends nothing holds up nobody.
//
// The wire carries packets only, so the served conduit's Transmit is given an
// empty command name and a time-out of 0; a TarnVirtualDevice recognises each
// packet's command from its header (the library must be initialized). When
// Transmit fails, the server answers with whatever the conduit put into the
// response, or with a transmit-failure status when it put nothing there.
class TARNLINK_NET_API DeviceServer {
public:
    // The device must outlive the server.
    DeviceServer(TarnConduit& device, DeviceServerOptions options);
    // Stops the server.
    ~DeviceServer();
    DeviceServer(const DeviceServer&) = delete;
    DeviceServer& operator=(const DeviceServer&) = delete;

    // Starts listening and serving on threads of its own; throws
    // std::runtime_error when the address cannot be resolved or bound. A
    // server that runs already stays as it is.
    void Start();
    // Closes the listener and every connection and waits for the packet the
    // device is answering, if any. Start may follow again.
    void Stop();
    bool IsRunning() const;
    // The port listened on (the one chosen, when the options gave 0); 0 when
    // not running.
    std::uint16_t GetPort() const;
    std::size_t GetConnectionCount() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace Net
} // namespace TarnLink

#endif
