#ifndef TARNLINK_NET_TIMED_CONNECTION_H
#define TARNLINK_NET_TIMED_CONNECTION_H

#include <asio.hpp>
#include <chrono>
#include <string>

#include "frame.h"
#include "tarnlink/TarnNetwork.h"

namespace TarnLinkNet {

using Deadline = std::chrono::steady_clock::time_point;

enum class StepResult { kDone, kTimedOut, kFailed };

// One client connection whose every step ends by a deadline: the blocking
// calls a conduit needs, built from Asio's asynchronous ones. A step that
// fails or runs out of time closes the connection and describes why.
class TimedConnection {
public:
    bool IsOpen() const;
    void Close();

    StepResult Connect(const TarnLink::Net::TcpAddress& address, Deadline deadline, std::string* why);
    StepResult WriteFrame(const Bytes& packet, Deadline deadline, std::string* why);
    StepResult ReadFrame(Bytes* packet, Deadline deadline, std::string* why);

private:
    // Runs the started operations until they finish or the deadline passes;
    // false when it passed (the operations are then cancelled).
    bool RunUntil(Deadline deadline);
    StepResult Finish(bool inTime, const asio::error_code& error, std::string* why);

    asio::io_context io_;
    asio::ip::tcp::resolver resolver_{io_};
    asio::ip::tcp::socket socket_{io_};
};

} // namespace TarnLinkNet

#endif
