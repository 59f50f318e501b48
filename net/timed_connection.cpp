#include "timed_connection.h"

namespace TarnLinkNet {
namespace {

constexpr char kClosedByPeer[] = "the other side closed the connection";

// Marks an operation still under way.
const asio::error_code kPending = asio::error::would_block;

} // namespace

bool TimedConnection::IsOpen() const { return socket_.is_open(); }

void TimedConnection::Close()
{
    asio::error_code ignored;
    socket_.shutdown(asio::ip::tcp::socket::shutdown_both, ignored);
    socket_.close(ignored);
}

bool TimedConnection::RunUntil(Deadline deadline)
{
    io_.restart();
    io_.run_until(deadline);
    if (io_.stopped()) {
        return true;
    }
    resolver_.cancel();
    Close();
    io_.restart();
    io_.run(); // lets the cancelled operations finish
    return false;
}

StepResult TimedConnection::Finish(bool inTime, const asio::error_code& error, std::string* why)
{
    if (!inTime) {
        return StepResult::kTimedOut;
    }
    if (error) {
        *why = error == asio::error::eof ? kClosedByPeer : error.message();
        Close();
        return StepResult::kFailed;
    }
    return StepResult::kDone;
}

StepResult TimedConnection::Connect(const TarnLink::Net::TcpAddress& address, Deadline deadline, std::string* why)
{
    Close();
    asio::error_code result = kPending;
    resolver_.async_resolve(
        address.host, std::to_string(address.port),
        [this, &result](const asio::error_code& resolveError, const asio::ip::tcp::resolver::results_type& endpoints) {
            if (resolveError) {
                result = resolveError;
                return;
            }
            asio::async_connect(socket_, endpoints,
                                [&result](const asio::error_code& connectError,
                                          const asio::ip::tcp::endpoint& /*endpoint*/) { result = connectError; });
        });
    const StepResult step = Finish(RunUntil(deadline), result, why);
    if (step == StepResult::kDone) {
        asio::error_code ignored;
        socket_.set_option(asio::ip::tcp::no_delay(true), ignored); // one small packet each way
    }
    return step;
}

StepResult TimedConnection::WriteFrame(const Bytes& packet, Deadline deadline, std::string* why)
{
    const FrameHeader header = EncodeFrameHeader(static_cast<std::uint32_t>(packet.size()));
    const std::array<asio::const_buffer, 2> buffers{asio::buffer(header), asio::buffer(packet)};
    asio::error_code result = kPending;
    asio::async_write(socket_, buffers,
                      [&result](const asio::error_code& error, std::size_t /*written*/) { result = error; });
    return Finish(RunUntil(deadline), result, why);
}

StepResult TimedConnection::ReadFrame(Bytes* packet, Deadline deadline, std::string* why)
{
    FrameHeader header{};
    asio::error_code result = kPending;
    asio::async_read(socket_, asio::buffer(header),
                     [this, &header, &result, packet](const asio::error_code& error, std::size_t /*read*/) {
                         const std::uint32_t length = DecodeFrameHeader(header);
                         if (error || !IsValidFrameLength(length)) {
                             result = error ? error : asio::error::invalid_argument;
                             return;
                         }
                         packet->resize(length);
                         asio::async_read(socket_, asio::buffer(*packet),
                                          [&result](const asio::error_code& bodyError, std::size_t /*read*/) {
                                              result = bodyError;
                                          });
                     });
    const StepResult step = Finish(RunUntil(deadline), result, why);
    if (step == StepResult::kFailed && result == asio::error::invalid_argument) {
        *why = DescribeBadFrameLength(DecodeFrameHeader(header));
    }
    return step;
}

} // namespace TarnLinkNet
