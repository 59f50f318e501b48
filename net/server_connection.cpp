#include "server_connection.h"

#include <chrono>

#include "tarnlink/TarnNetwork.h"

namespace TarnLinkNet {
namespace {

constexpr char kClientClosed[] = "closed by the client";
constexpr char kIdleBegin[] = "no complete request within ";
constexpr char kIdleEnd[] = " ms";
constexpr char kProtocolError[] = "protocol error: ";
constexpr char kAnswerTooLong[] = "the device's answer is longer than a frame may be: ";
constexpr char kUnknownPeer[] = "an unknown address";

std::string ReasonOf(const asio::error_code& error)
{
    return error == asio::error::eof ? kClientClosed : error.message();
}

} // namespace

std::string DescribePeer(const asio::ip::tcp::socket& socket)
{
    asio::error_code error;
    const asio::ip::tcp::endpoint peer = socket.remote_endpoint(error);
    if (error) {
        return kUnknownPeer;
    }
    return TarnLink::Net::TcpAddress{peer.address().to_string(), peer.port()}.ToUrl();
}

ServerConnection::ServerConnection(asio::ip::tcp::socket socket, std::uint64_t number,
                                   std::uint32_t idleTimeoutMillisec, ConnectionOwner& owner)
    : socket_(std::move(socket)), idleTimer_(socket_.get_executor()), number_(number),
      idleTimeoutMillisec_(idleTimeoutMillisec), owner_(owner), peer_(DescribePeer(socket_))
{
}

void ServerConnection::Start()
{
    asio::error_code ignored;
    socket_.set_option(asio::ip::tcp::no_delay(true), ignored);
    AwaitRequest();
}

void ServerConnection::Close(const std::string& reason)
{
    if (closed_) {
        return;
    }
    closed_ = true;
    asio::error_code ignored;
    idleTimer_.cancel();
    socket_.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
    socket_.close(ignored);
    owner_.Closed(shared_from_this(), reason);
}

void ServerConnection::ArmIdleTimer()
{
    if (idleTimeoutMillisec_ == 0) {
        return;
    }
    idleTimer_.expires_after(std::chrono::milliseconds(idleTimeoutMillisec_));
    idleTimer_.async_wait([self = shared_from_this()](const asio::error_code& error) {
        if (!error && self->awaitingRequest_) {
            self->Close(kIdleBegin + std::to_string(self->idleTimeoutMillisec_) + kIdleEnd);
        }
    });
}

void ServerConnection::AwaitRequest()
{
    awaitingRequest_ = true;
    ArmIdleTimer();
    asio::async_read(socket_, asio::buffer(header_),
                     [self = shared_from_this()](const asio::error_code& error, std::size_t /*read*/) {
                         if (error) {
                             self->Close(ReasonOf(error));
                             return;
                         }
                         const std::uint32_t length = DecodeFrameHeader(self->header_);
                         if (!IsValidFrameLength(length)) {
                             self->Close(kProtocolError + DescribeBadFrameLength(length));
                             return;
                         }
                         self->ReadBody(length);
                     });
}

void ServerConnection::ReadBody(std::uint32_t length)
{
    request_.resize(length);
    asio::async_read(socket_, asio::buffer(request_),
                     [self = shared_from_this()](const asio::error_code& error, std::size_t /*read*/) {
                         if (error) {
                             self->Close(ReasonOf(error));
                             return;
                         }
                         // The device's time is not the client's idleness.
                         self->awaitingRequest_ = false;
                         self->idleTimer_.cancel();
                         self->owner_.Serve(self, std::move(self->request_));
                     });
}

void ServerConnection::Deliver(Bytes answer)
{
    if (closed_) {
        return;
    }
    if (!IsValidFrameLength(answer.size())) {
        Close(kAnswerTooLong + std::to_string(answer.size()));
        return;
    }
    answer_ = std::move(answer);
    answerHeader_ = EncodeFrameHeader(static_cast<std::uint32_t>(answer_.size()));
    const std::array<asio::const_buffer, 2> buffers{asio::buffer(answerHeader_), asio::buffer(answer_)};
    asio::async_write(socket_, buffers, [self = shared_from_this()](const asio::error_code& error, std::size_t) {
        if (error) {
            self->Close(ReasonOf(error));
            return;
        }
        self->AwaitRequest();
    });
}

} // namespace TarnLinkNet
