#ifndef TARNLINK_NET_SERVER_RUN_H
#define TARNLINK_NET_SERVER_RUN_H

#include <asio.hpp>
#include <atomic>
#include <set>
#include <thread>

#include "server_connection.h"
#include "tarnlink/TarnNetwork.h"

namespace TarnLinkNet {

// One run of a device server, from Start to Stop: the listener and the
// connections on a network thread, the device's exchanges on a device thread
// of their own so that a slow answer never stalls the network.
class ServerRun : public ConnectionOwner {
public:
    // Listens at once; throws std::runtime_error when it cannot.
    ServerRun(TarnLink::TarnConduit& device, const TarnLink::Net::DeviceServerOptions& options);
    // Closes everything and waits for the exchange under way.
    ~ServerRun() override;
    ServerRun(const ServerRun&) = delete;
    ServerRun& operator=(const ServerRun&) = delete;

    std::uint16_t Port() const { return port_; }
    std::size_t ConnectionCount() const { return connectionCount_; }

    void Serve(const ConnectionPointer& connection, Bytes request) override;
    void Closed(const ConnectionPointer& connection, const std::string& reason) override;

private:
    void Listen();
    void Accept();
    void Admit(asio::ip::tcp::socket socket);
    void CloseEverything();
    Bytes AnswerOfDevice(const Bytes& request);
    void Log(const std::string& message);

    TarnLink::TarnConduit& device_;
    const TarnLink::Net::DeviceServerOptions options_;
    asio::io_context io_;
    asio::ip::tcp::acceptor acceptor_{io_};
    asio::steady_timer acceptRetry_{io_};
    std::set<ConnectionPointer> connections_;
    std::atomic<std::size_t> connectionCount_{0};
    std::atomic<bool> stopping_{false};
    std::uint64_t nextNumber_ = 1;
    std::uint16_t port_ = 0;
    asio::thread_pool deviceThread_{1};
    std::thread networkThread_;
};

} // namespace TarnLinkNet

#endif
