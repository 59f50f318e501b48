#ifndef TARNLINK_FUZZ_LYING_DEVICE_H
#define TARNLINK_FUZZ_LYING_DEVICE_H

// A device whose every answer comes from the fuzzer's bytes: refused
// transmits, raw bytes, well-formed responses with any status and payload,
// or the packet of the asked command with every parameter set from the
// input. Without input it answers plain success without data, so every
// exchange comes to an end.

#include <cstdint>
#include <mutex>
#include <string>

#include "command_filler.h"
#include "fuzz_input.h"
#include "support/scripted_conduit.h"
#include "tarnlink/TarnCommandFactory.h"
#include "tarnlink/TarnDictionary.h"
#include "tarnlink/TarnHostInterfaces.h"

class LyingDevice final : public TarnLink::TarnConduit {
public:
    enum AnswerKind : std::uint8_t { kRefuse, kRawBytes, kResponse, kFilledCommand, kAnswerKinds };

    // Answers from input until the next call; null: no input.
    void AnswerFrom(FuzzInput* input)
    {
        input_ = input;
        transmitted_ = 0;
    }
    std::size_t Transmitted() const { return transmitted_; }

    bool Transmit(const char* commandName, const TarnLink::TarnCommandByteCode& request,
                  TarnLink::TarnCommandByteCode* response, std::uint32_t) override
    {
        ++transmitted_;
        if (commandName == nullptr || response == nullptr) {
            return false;
        }
        const ScriptedConduit::Bytes packet = ScriptedConduit::BytesOf(request);
        if (input_ == nullptr || input_->Empty()) {
            return Copy(ScriptedConduit::ResponseTo(packet), *response);
        }
        const std::uint8_t choice = input_->Byte();
        switch (choice % kAnswerKinds) {
        case kRefuse:
            return false;
        case kRawBytes: {
            const std::string bytes = input_->ShortBytes();
            return Copy(ScriptedConduit::Bytes(bytes.begin(), bytes.end()), *response);
        }
        case kResponse: {
            const std::string payload = input_->Bytes(input_->Integer<std::uint16_t>() % 2100);
            const auto status = static_cast<unsigned char>(choice >> 6);
            return Copy(ScriptedConduit::ResponseTo(packet, {payload.begin(), payload.end()}, status), *response);
        }
        default:
            return AnswerWithFilledCommand(commandName, *response);
        }
    }
    void CommandSucceeded(TarnLink::TarnCommand&) override {}
    void Lock() override { lock_.lock(); }
    void Unlock() override { lock_.unlock(); }

private:
    bool AnswerWithFilledCommand(const char* commandName, TarnLink::TarnCommandByteCode& response)
    {
        TarnLink::CommandInfo definition;
        if (!TarnLink::TarnDictionary::GetCommandInfo(commandName, &definition)) {
            return false;
        }
        TarnLink::TarnCommand reply(commandName);
        reply.SetupSendCommand();
        SetEveryParameter(reply, definition, *input_);
        TarnLink::TarnCommandByteCode packet;
        std::uint32_t timeout = 0;
        TarnLink::CommandStatus_t status = TarnLink::kTLSuccess;
        if (!TarnLink::TarnCommandFactory::CompileTarnByteCode(reply, packet, &timeout, &status)) {
            return false;
        }
        return Copy(ScriptedConduit::BytesOf(packet), response);
    }

    static bool Copy(const ScriptedConduit::Bytes& bytes, TarnLink::TarnCommandByteCode& response)
    {
        return bytes.empty() || response.CopyByteCodePacketBuffer(bytes.data(), bytes.size());
    }

    std::recursive_mutex lock_;
    FuzzInput* input_ = nullptr;
    std::size_t transmitted_ = 0;
};

#endif
