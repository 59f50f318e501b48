#ifndef TARNLINK_TESTS_NET_RAW_PEERS_H
#define TARNLINK_TESTS_NET_RAW_PEERS_H

// Both ends of a connection written by hand, to put exactly the bytes a test
// needs on the wire. Every wait is bounded.

#include <array>
#include <asio.hpp>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

namespace NetTests {

using Bytes = std::vector<unsigned char>;
using Milliseconds = std::chrono::milliseconds;

// A client of 127.0.0.1:port.
class RawClient {
public:
    explicit RawClient(std::uint16_t port);

    bool Send(const Bytes& bytes);
    // What arrives within the time, up to count bytes.
    Bytes Receive(std::size_t count, Milliseconds within);
    // True when the other side closes the connection within the time.
    bool ClosedByPeer(Milliseconds within);

private:
    // Runs the started read; false when the time ran out (it is then cancelled).
    bool RunFor(Milliseconds within);

    asio::io_context io_;
    asio::ip::tcp::socket socket_{io_};
};

// What a fake device server does with the one connection it takes: reads one
// request frame, writes the reply a byte at a time after the given delays,
// keeps the connection open for a while, then closes it.
struct FakeReply {
    Bytes bytes;
    Milliseconds beforeReply{0};
    Milliseconds betweenBytes{0};
    Milliseconds holdOpen{0};
};

class FakeServer {
public:
    explicit FakeServer(FakeReply reply);
    ~FakeServer();
    FakeServer(const FakeServer&) = delete;
    FakeServer& operator=(const FakeServer&) = delete;

    std::uint16_t Port() const { return port_; }

private:
    void ReadRequest();
    void WriteByte(std::size_t index);

    FakeReply reply_;
    asio::io_context io_;
    asio::ip::tcp::acceptor acceptor_;
    asio::ip::tcp::socket socket_{io_};
    asio::steady_timer timer_{io_};
    std::array<unsigned char, 4> header_{};
    Bytes request_;
    std::uint16_t port_ = 0;
    std::thread thread_;
};

// A loopback port that nothing listens on (at the time of asking).
std::uint16_t UnusedPort();

// The 4-byte big-endian length of a frame, then the packet.
Bytes Frame(const Bytes& packet);
Bytes FrameHeader(std::uint32_t length);

} // namespace NetTests

#endif
