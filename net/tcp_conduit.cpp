#include <atomic>
#include <iostream>
#include <mutex>
#include <stdexcept>

#include "status_answer.h"
#include "tarnlink/TarnNetwork.h"
#include "timed_connection.h"

namespace TarnLink {
namespace Net {
namespace {

constexpr char kNotAUrl[] = "not a tcp://HOST:PORT address: ";
constexpr char kNoResponse[] = "Transmit was given no response to fill";
constexpr char kEmptyRequest[] = "the request holds no packet";
constexpr char kRequestTooLong[] = "the request is longer than a frame may be: ";
constexpr char kCannotConnect[] = "cannot connect to ";
constexpr char kNoConnectionWithin[] = "no connection within ";
constexpr char kLostWhileSending[] = "lost the connection while sending to ";
constexpr char kNoAnswerFrom[] = "no answer from ";
constexpr char kWithin[] = " within ";
constexpr char kMilliseconds[] = " ms";
constexpr char kBadAnswerFrom[] = "no usable answer from ";
constexpr char kMessagePrefix[] = "\nTcpConduit: ";

TcpAddress AddressFromUrl(const std::string& url)
{
    TcpAddress address;
    if (!TcpAddress::IsUrl(url) || !TcpAddress::Parse(url, &address)) {
        throw std::invalid_argument(kNotAUrl + url);
    }
    return address;
}

} // namespace

struct TcpConduit::State {
    // Why an exchange failed, and the status its response carries.
    struct Failure {
        std::string message;
        bool timedOut = false;
    };

    explicit State(TcpAddress where) : address(std::move(where)), url(address.ToUrl()) {}

    // The answer to packet, or the failure that stopped the exchange.
    bool Exchange(const TarnLinkNet::Bytes& packet, std::uint32_t timeoutMillisec, TarnLinkNet::Bytes* answer,
                  Failure* failure);

    const TcpAddress address;
    const std::string url;
    mutable std::recursive_mutex mutex; // Lock, Unlock and every exchange
    TarnLinkNet::TimedConnection connection;
    std::atomic<std::uint32_t> defaultTimeout{kDefaultTimeoutMillisec};
    std::atomic<bool> verbose{false};
    std::string lastError;
};

bool TcpConduit::State::Exchange(const TarnLinkNet::Bytes& packet, std::uint32_t timeoutMillisec,
                                 TarnLinkNet::Bytes* answer, Failure* failure)
{
    using TarnLinkNet::StepResult;
    const std::string waited = std::to_string(timeoutMillisec) + kMilliseconds;
    const TarnLinkNet::Deadline deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMillisec);
    std::string why;
    if (!connection.IsOpen()) {
        const StepResult connected = connection.Connect(address, deadline, &why);
        if (connected != StepResult::kDone) {
            // The packet never left: a transmit failure, however long it took.
            failure->message =
                kCannotConnect + url + ": " + (connected == StepResult::kTimedOut ? kNoConnectionWithin + waited : why);
            return false;
        }
    }
    StepResult step = connection.WriteFrame(packet, deadline, &why);
    if (step == StepResult::kFailed) {
        failure->message = kLostWhileSending + url + ": " + why;
        return false;
    }
    if (step == StepResult::kDone) {
        step = connection.ReadFrame(answer, deadline, &why);
    }
    if (step == StepResult::kTimedOut) {
        // A late answer would be taken for the next one's: the connection is closed.
        failure->message = kNoAnswerFrom + url + kWithin + waited;
        failure->timedOut = true;
        return false;
    }
    if (step == StepResult::kFailed) {
        failure->message = kBadAnswerFrom + url + ": " + why;
        return false;
    }
    return true;
}

TcpConduit::TcpConduit(const std::string& host, std::uint16_t port)
    : state_(std::make_unique<State>(TcpAddress{host, port}))
{
}

TcpConduit::TcpConduit(const std::string& url) : state_(std::make_unique<State>(AddressFromUrl(url))) {}

TcpConduit::~TcpConduit() = default;

TcpAddress TcpConduit::GetAddress() const { return state_->address; }

void TcpConduit::SetDefaultTimeout(std::uint32_t timeoutMillisec)
{
    state_->defaultTimeout = timeoutMillisec != 0 ? timeoutMillisec : kDefaultTimeoutMillisec;
}

std::uint32_t TcpConduit::GetDefaultTimeout() const { return state_->defaultTimeout; }

void TcpConduit::SetVerbose(bool verbose) { state_->verbose = verbose; }

bool TcpConduit::IsConnected() const
{
    std::lock_guard<std::recursive_mutex> guard(state_->mutex);
    return state_->connection.IsOpen();
}

void TcpConduit::Disconnect()
{
    std::lock_guard<std::recursive_mutex> guard(state_->mutex);
    state_->connection.Close();
}

std::string TcpConduit::GetLastError() const
{
    std::lock_guard<std::recursive_mutex> guard(state_->mutex);
    return state_->lastError;
}

bool TcpConduit::Transmit(const char* /*commandName*/, const TarnCommandByteCode& request,
                          TarnCommandByteCode* response, std::uint32_t timeoutMillisec)
{
    std::lock_guard<std::recursive_mutex> guard(state_->mutex);
    const TarnLinkNet::Bytes packet = TarnLinkNet::PacketBytes(request);
    State::Failure failure;
    TarnLinkNet::Bytes answer;
    if (response == nullptr) {
        failure.message = kNoResponse;
    } else if (packet.empty()) {
        failure.message = kEmptyRequest;
    } else if (!TarnLinkNet::IsValidFrameLength(packet.size())) {
        failure.message = kRequestTooLong + std::to_string(packet.size());
    } else if (state_->Exchange(packet, timeoutMillisec != 0 ? timeoutMillisec : state_->defaultTimeout.load(), &answer,
                                &failure)) {
        response->CopyByteCodePacketBuffer(answer.data(), answer.size());
        state_->lastError.clear();
        return true;
    }
    state_->lastError = failure.message;
    if (response != nullptr) {
        if (failure.timedOut) {
            response->SetTimedOut();
        } else {
            TarnLinkNet::SetTransmitFailure(*response);
        }
    }
    if (state_->verbose) {
        std::cout << kMessagePrefix << failure.message;
    }
    return false;
}

void TcpConduit::CommandSucceeded(TarnCommand& /*command*/) {}

void TcpConduit::Lock() { state_->mutex.lock(); }

void TcpConduit::Unlock() { state_->mutex.unlock(); }

} // namespace Net
} // namespace TarnLink
