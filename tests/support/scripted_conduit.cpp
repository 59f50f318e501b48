#include "support/scripted_conduit.h"

#include <utility>

#include "tarnlink/TarnCommandByteCode.h"

namespace {

constexpr unsigned char kTransportMark = 0x0B;

} // namespace

void ScriptedConduit::SetResponder(Responder responder)
{
    std::lock_guard<std::mutex> guard(recordGuard_);
    responder_ = std::move(responder);
}

void ScriptedConduit::QueueAnswer(Answer answer)
{
    std::lock_guard<std::mutex> guard(recordGuard_);
    answers_.push_back(std::move(answer));
}

bool ScriptedConduit::Transmit(const char* commandName, const TarnLink::TarnCommandByteCode& request,
                               TarnLink::TarnCommandByteCode* response, std::uint32_t timeoutMillisec)
{
    Request record{commandName != nullptr ? commandName : "", BytesOf(request), timeoutMillisec};
    Responder responder;
    Answer answer{ResponseTo(record.packet), true};
    {
        std::lock_guard<std::mutex> guard(recordGuard_);
        requests_.push_back(record);
        if (!answers_.empty()) {
            answer = std::move(answers_.front());
            answers_.pop_front();
        } else {
            responder = responder_;
        }
    }
    if (response == nullptr) {
        return false;
    }
    if (responder) {
        return responder(record, *response);
    }
    if (!answer.response.empty()) {
        response->CopyByteCodePacketBuffer(answer.response.data(), answer.response.size());
    }
    return answer.transmitted;
}

void ScriptedConduit::CommandSucceeded(TarnLink::TarnCommand&) { ++succeeded_; }

void ScriptedConduit::Lock()
{
    lock_.lock();
    ++locks_;
}

void ScriptedConduit::Unlock()
{
    ++unlocks_;
    lock_.unlock();
}

std::vector<ScriptedConduit::Request> ScriptedConduit::Requests() const
{
    std::lock_guard<std::mutex> guard(recordGuard_);
    return requests_;
}

ScriptedConduit::Bytes ScriptedConduit::ResponseTo(const Bytes& request, const Bytes& payload, unsigned char status)
{
    const std::size_t length = payload.size() + 4;
    Bytes response{kTransportMark,
                   kTransportMark,
                   static_cast<unsigned char>(length >> 8),
                   static_cast<unsigned char>(length & 0xFF),
                   request.size() > 5 ? request[4] : static_cast<unsigned char>(0),
                   request.size() > 5 ? request[5] : static_cast<unsigned char>(0),
                   0,
                   status};
    response.insert(response.end(), payload.begin(), payload.end());
    return response;
}

ScriptedConduit::Bytes ScriptedConduit::BytesOf(const TarnLink::TarnCommandByteCode& byteCode)
{
    unsigned char* buffer = nullptr;
    std::size_t length = 0;
    if (!byteCode.GetPacketByteCodeBuffer(&buffer) || !byteCode.GetPacketByteCodeBufferLength(&length)) {
        return {};
    }
    return Bytes(buffer, buffer + length);
}
