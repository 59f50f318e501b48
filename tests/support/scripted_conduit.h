#ifndef TARNLINK_TESTS_SCRIPTED_CONDUIT_H
#define TARNLINK_TESTS_SCRIPTED_CONDUIT_H

// A conduit for tests: records every packet it is asked to carry and answers
// from a queue of scripted responses, through a per-test callback, or, when
// neither has anything, with a plain success for the request's command.

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "tarnlink/TarnHostInterfaces.h"

class ScriptedConduit : public TarnLink::TarnConduit {
public:
    using Bytes = std::vector<unsigned char>;

    struct Request {
        std::string commandName;
        Bytes packet;
        std::uint32_t timeoutMillisec;
    };

    // Fills the response; the result is what Transmit returns.
    using Responder = std::function<bool(const Request& request, TarnLink::TarnCommandByteCode& response)>;

    // One scripted answer: the response bytes (none leaves the response
    // untouched) and what Transmit returns.
    struct Answer {
        Bytes response;
        bool transmitted = true;
    };

    void SetResponder(Responder responder);
    void QueueAnswer(Answer answer);

    bool Transmit(const char* commandName, const TarnLink::TarnCommandByteCode& request,
                  TarnLink::TarnCommandByteCode* response, std::uint32_t timeoutMillisec) override;
    void CommandSucceeded(TarnLink::TarnCommand& command) override;
    void Lock() override;
    void Unlock() override;

    std::vector<Request> Requests() const;
    int SucceededCount() const { return succeeded_; }
    int LockCount() const { return locks_; }
    int UnlockCount() const { return unlocks_; }

    // A response to the request packet: its command header, the status byte and
    // the payload.
    static Bytes ResponseTo(const Bytes& request, const Bytes& payload = {}, unsigned char status = 0);
    static Bytes BytesOf(const TarnLink::TarnCommandByteCode& byteCode);

private:
    std::recursive_mutex lock_;
    mutable std::mutex recordGuard_;
    std::vector<Request> requests_;
    std::deque<Answer> answers_;
    Responder responder_;
    std::atomic<int> succeeded_{0};
    std::atomic<int> locks_{0};
    std::atomic<int> unlocks_{0};
};

#endif
