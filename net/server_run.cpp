#include "server_run.h"

#include <future>
#include <stdexcept>

#include "status_answer.h"

namespace TarnLinkNet {
namespace {

constexpr char kCannotListen[] = "cannot listen on ";
constexpr char kNoAddress[] = "the address resolves to nothing";
constexpr char kAcceptFailed[] = "accepting a connection failed: ";
constexpr char kConnection[] = "connection ";
constexpr char kFrom[] = " from ";
constexpr char kOpened[] = " opened (";
constexpr char kOpen[] = " open)";
constexpr char kRefused[] = "refused a connection from ";
constexpr char kAlreadyOpen[] = ": already open: ";
constexpr char kClosed[] = " closed: ";
constexpr char kServerStopping[] = "the server stops";
constexpr char kDeviceThrew[] = "the device failed to answer: ";
constexpr auto kAcceptRetryDelay = std::chrono::milliseconds(100);

// On Windows the option would let a second server take the same port; on the
// other systems it only lets a restarted server take it back at once.
#if defined(_WIN32)
constexpr bool kReuseListeningAddress = false;
#else
constexpr bool kReuseListeningAddress = true;
#endif

// Holds the device's lock for the exchange, as the library holds a conduit's.
class DeviceLock {
public:
    explicit DeviceLock(TarnLink::TarnConduit& device) : device_(device) { device_.Lock(); }
    ~DeviceLock() { device_.Unlock(); }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

private:
    TarnLink::TarnConduit& device_;
};

} // namespace

ServerRun::ServerRun(TarnLink::TarnConduit& device, const TarnLink::Net::DeviceServerOptions& options)
    : device_(device), options_(options)
{
    Listen();
    Accept();
    networkThread_ = std::thread([this] { io_.run(); });
}

ServerRun::~ServerRun()
{
    stopping_ = true;
    std::promise<void> everythingClosed;
    asio::post(io_, [this, &everythingClosed] {
        CloseEverything();
        everythingClosed.set_value();
    });
    everythingClosed.get_future().wait();
    deviceThread_.join();
    io_.stop();
    networkThread_.join();
}

void ServerRun::Listen()
{
    const TarnLink::Net::TcpAddress& listen = options_.listen;
    asio::error_code error;
    asio::ip::tcp::resolver resolver(io_);
    const auto endpoints =
        resolver.resolve(listen.host, std::to_string(listen.port),
                         asio::ip::tcp::resolver::passive | asio::ip::tcp::resolver::numeric_service, error);
    if (!error && endpoints.empty()) {
        throw std::runtime_error(kCannotListen + listen.ToUrl() + ": " + kNoAddress);
    }
    if (!error) {
        const asio::ip::tcp::endpoint endpoint = endpoints.begin()->endpoint();
        acceptor_.open(endpoint.protocol(), error);
        if (!error && kReuseListeningAddress) {
            acceptor_.set_option(asio::ip::tcp::acceptor::reuse_address(true), error);
        }
        if (!error) {
            acceptor_.bind(endpoint, error);
        }
        if (!error) {
            acceptor_.listen(asio::socket_base::max_listen_connections, error);
        }
    }
    if (error) {
        throw std::runtime_error(kCannotListen + listen.ToUrl() + ": " + error.message());
    }
    port_ = acceptor_.local_endpoint().port();
}

void ServerRun::Accept()
{
    acceptor_.async_accept([this](const asio::error_code& error, asio::ip::tcp::socket socket) {
        if (stopping_ || error == asio::error::operation_aborted) {
            return;
        }
        if (error) {
            // Out of descriptors, say: wait a little rather than spin.
            Log(kAcceptFailed + error.message());
            acceptRetry_.expires_after(kAcceptRetryDelay);
            acceptRetry_.async_wait([this](const asio::error_code& waitError) {
                if (!waitError) {
                    Accept();
                }
            });
            return;
        }
        Admit(std::move(socket));
        Accept();
    });
}

void ServerRun::Admit(asio::ip::tcp::socket socket)
{
    if (connections_.size() >= options_.maxConnections) {
        Log(kRefused + DescribePeer(socket) + kAlreadyOpen + std::to_string(connections_.size()));
        asio::error_code ignored;
        socket.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
        socket.close(ignored);
        return;
    }
    auto connection =
        std::make_shared<ServerConnection>(std::move(socket), nextNumber_++, options_.idleTimeoutMillisec, *this);
    connections_.insert(connection);
    connectionCount_ = connections_.size();
    Log(kConnection + std::to_string(connection->Number()) + kFrom + connection->Peer() + kOpened +
        std::to_string(connections_.size()) + kOpen);
    connection->Start();
}

void ServerRun::CloseEverything()
{
    asio::error_code ignored;
    acceptor_.close(ignored);
    acceptRetry_.cancel();
    // Closing a connection takes it out of the set.
    const std::set<ConnectionPointer> open = connections_;
    for (const ConnectionPointer& connection : open) {
        connection->Close(kServerStopping);
    }
}

void ServerRun::Closed(const ConnectionPointer& connection, const std::string& reason)
{
    // Logged first, so that whoever sees the count drop finds the reason logged.
    Log(kConnection + std::to_string(connection->Number()) + kClosed + reason);
    connections_.erase(connection);
    connectionCount_ = connections_.size();
}

void ServerRun::Serve(const ConnectionPointer& connection, Bytes request)
{
    asio::post(deviceThread_, [this, connection, request = std::move(request)] {
        if (stopping_) {
            return;
        }
        Bytes answer = AnswerOfDevice(request);
        asio::post(io_, [connection, answer = std::move(answer)]() mutable { connection->Deliver(std::move(answer)); });
    });
}

Bytes ServerRun::AnswerOfDevice(const Bytes& request)
{
    TarnLink::TarnCommandByteCode requestCode;
    TarnLink::TarnCommandByteCode responseCode;
    requestCode.CopyByteCodePacketBuffer(request.data(), request.size());
    try {
        DeviceLock lock(device_);
        device_.Transmit("", requestCode, &responseCode, 0);
    } catch (const std::exception& error) {
        asio::post(io_, [this, message = std::string(kDeviceThrew) + error.what()] { Log(message); });
        responseCode.Clear();
    }
    Bytes answer = PacketBytes(responseCode);
    return answer.empty() ? TransmitFailureAnswer() : answer;
}

void ServerRun::Log(const std::string& message)
{
    if (!options_.log) {
        return;
    }
    try {
        options_.log(message);
    } catch (...) {
        // A failing log must not take the server down.
    }
}

} // namespace TarnLinkNet
