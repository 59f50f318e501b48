#include "raw_peers.h"

namespace NetTests {
namespace {

const asio::ip::address kLoopback = asio::ip::make_address("127.0.0.1");
constexpr Milliseconds kFakeServerLifetime{5000};

} // namespace

RawClient::RawClient(std::uint16_t port) { socket_.connect(asio::ip::tcp::endpoint(kLoopback, port)); }

bool RawClient::Send(const Bytes& bytes)
{
    asio::error_code error;
    asio::write(socket_, asio::buffer(bytes), error);
    return !error;
}

Bytes RawClient::Receive(std::size_t count, Milliseconds within)
{
    Bytes received(count);
    std::size_t got = 0;
    asio::async_read(socket_, asio::buffer(received),
                     [&got](const asio::error_code& /*error*/, std::size_t read) { got = read; });
    RunFor(within);
    received.resize(got);
    return received;
}

bool RawClient::ClosedByPeer(Milliseconds within)
{
    unsigned char byte = 0;
    asio::error_code result = asio::error::would_block;
    asio::async_read(socket_, asio::buffer(&byte, 1),
                     [&result](const asio::error_code& error, std::size_t /*read*/) { result = error; });
    return RunFor(within) && (result == asio::error::eof || result == asio::error::connection_reset);
}

bool RawClient::RunFor(Milliseconds within)
{
    io_.restart();
    io_.run_for(within);
    if (io_.stopped()) {
        return true;
    }
    socket_.cancel();
    io_.restart();
    io_.run();
    return false;
}

FakeServer::FakeServer(FakeReply reply)
    : reply_(std::move(reply)), acceptor_(io_, asio::ip::tcp::endpoint(kLoopback, 0))
{
    port_ = acceptor_.local_endpoint().port();
    acceptor_.async_accept(socket_, [this](const asio::error_code& error) {
        if (!error) {
            ReadRequest();
        }
    });
    thread_ = std::thread([this] { io_.run_for(kFakeServerLifetime); });
}

FakeServer::~FakeServer() { thread_.join(); }

void FakeServer::ReadRequest()
{
    asio::async_read(socket_, asio::buffer(header_), [this](const asio::error_code& error, std::size_t) {
        if (error) {
            return;
        }
        request_.resize((std::size_t{header_[2]} << 8) | header_[3]);
        asio::async_read(socket_, asio::buffer(request_), [this](const asio::error_code& bodyError, std::size_t) {
            if (!bodyError) {
                timer_.expires_after(reply_.beforeReply);
                timer_.async_wait([this](const asio::error_code&) { WriteByte(0); });
            }
        });
    });
}

void FakeServer::WriteByte(std::size_t index)
{
    if (index == reply_.bytes.size()) {
        timer_.expires_after(reply_.holdOpen);
        timer_.async_wait([this](const asio::error_code&) {
            asio::error_code ignored;
            socket_.close(ignored);
            acceptor_.close(ignored);
        });
        return;
    }
    asio::async_write(socket_, asio::buffer(&reply_.bytes[index], 1),
                      [this, index](const asio::error_code& error, std::size_t) {
                          if (error) {
                              return;
                          }
                          timer_.expires_after(reply_.betweenBytes);
                          timer_.async_wait([this, index](const asio::error_code&) { WriteByte(index + 1); });
                      });
}

std::uint16_t UnusedPort()
{
    asio::io_context io;
    const asio::ip::tcp::acceptor acceptor(io, asio::ip::tcp::endpoint(kLoopback, 0));
    return acceptor.local_endpoint().port();
}

Bytes FrameHeader(std::uint32_t length)
{
    return Bytes{static_cast<unsigned char>(length >> 24), static_cast<unsigned char>(length >> 16),
                 static_cast<unsigned char>(length >> 8), static_cast<unsigned char>(length)};
}

Bytes Frame(const Bytes& packet)
{
    Bytes frame = FrameHeader(static_cast<std::uint32_t>(packet.size()));
    frame.insert(frame.end(), packet.begin(), packet.end());
    return frame;
}

} // namespace NetTests
