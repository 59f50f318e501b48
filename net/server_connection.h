#ifndef TARNLINK_NET_SERVER_CONNECTION_H
#define TARNLINK_NET_SERVER_CONNECTION_H

#include <asio.hpp>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "frame.h"

namespace TarnLinkNet {

class ServerConnection;
using ConnectionPointer = std::shared_ptr<ServerConnection>;

// "tcp://ADDRESS:PORT" of the socket's other side, for the server's log.
std::string DescribePeer(const asio::ip::tcp::socket& socket);

// What a connection needs from its server. Every call comes on the server's
// network thread.
class ConnectionOwner {
public:
    virtual ~ConnectionOwner() = default;
    // Has the device answer request; the answer must come back through
    // connection->Deliver on the network thread.
    virtual void Serve(const ConnectionPointer& connection, Bytes request) = 0;
    virtual void Closed(const ConnectionPointer& connection, const std::string& reason) = 0;
};

// One client's connection to the device server: reads request frames one at
// a time, hands each to the owner and writes its answer back before reading
// the next. It closes itself on a protocol error, an I/O error, or when no
// complete request arrives within the idle time.
class ServerConnection : public std::enable_shared_from_this<ServerConnection> {
public:
    ServerConnection(asio::ip::tcp::socket socket, std::uint64_t number, std::uint32_t idleTimeoutMillisec,
                     ConnectionOwner& owner);

    void Start();
    void Deliver(Bytes answer);
    void Close(const std::string& reason);

    std::uint64_t Number() const { return number_; }
    const std::string& Peer() const { return peer_; }

private:
    void AwaitRequest();
    void ReadBody(std::uint32_t length);
    void ArmIdleTimer();

    asio::ip::tcp::socket socket_;
    asio::steady_timer idleTimer_;
    const std::uint64_t number_;
    const std::uint32_t idleTimeoutMillisec_;
    ConnectionOwner& owner_;
    std::string peer_;
    FrameHeader header_{};
    Bytes request_;
    FrameHeader answerHeader_{};
    Bytes answer_;
    bool awaitingRequest_ = false;
    bool closed_ = false;
};

} // namespace TarnLinkNet

#endif
