#include "tarnlink/TarnVirtualDevice.h"

#include <chrono>
#include <mutex>
#include <thread>
#include <utility>

#include "fault_plan.h"
#include "packet_responder.h"

namespace TarnLink {

using TarnLinkVirtual::Bytes;

struct TarnVirtualDevice::State {
    // What the device answers to a packet, and whether Transmit succeeds.
    struct Outcome {
        Bytes answer;
        bool transmitted = true;
    };

    Outcome Exchange(const char* commandName, const Bytes& packet, std::uint32_t timeoutMillisec);

    mutable std::recursive_mutex mutex;
    TarnLinkVirtual::DeviceIdentity identity;
    TarnLinkVirtual::PacketResponder responder;
    TarnLinkVirtual::FaultPlan faults;
    std::vector<VirtualPacketExchange> log;
};

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

Bytes PacketBytes(const TarnCommandByteCode& byteCode)
{
    unsigned char* buffer = nullptr;
    std::size_t length = 0;
    if (!byteCode.GetPacketByteCodeBuffer(&buffer) || !byteCode.GetPacketByteCodeBufferLength(&length)) {
        return Bytes();
    }
    return Bytes(buffer, buffer + length);
}

// The answer that stands for no answer at all, as a conduit reports it.
Bytes LostAnswer(unsigned char status) { return TarnLinkVirtual::StatusAnswer(nullptr, 0, status); }

} // namespace

TarnVirtualDevice::TarnVirtualDevice(const char* hardwareType) : state_(std::make_unique<State>())
{
    SetHardwareType(hardwareType);
}

TarnVirtualDevice::~TarnVirtualDevice() = default;

void TarnVirtualDevice::SetHardwareType(const char* hardwareType)
{
    Guard guard(state_->mutex);
    state_->identity.hardwareType = hardwareType != nullptr ? hardwareType : "";
}

std::string TarnVirtualDevice::GetHardwareType() const
{
    Guard guard(state_->mutex);
    return state_->identity.hardwareType;
}

void TarnVirtualDevice::AddSubcomponent(const char* typeId)
{
    Guard guard(state_->mutex);
    if (typeId != nullptr) {
        state_->identity.subcomponents.emplace_back(typeId);
    }
}

void TarnVirtualDevice::ClearSubcomponents()
{
    Guard guard(state_->mutex);
    state_->identity.subcomponents.clear();
}

std::vector<std::string> TarnVirtualDevice::GetSubcomponents() const
{
    Guard guard(state_->mutex);
    return state_->identity.subcomponents;
}

void TarnVirtualDevice::InjectFault(VirtualFault fault, std::uint32_t commandCount, std::uint32_t delayMillisec)
{
    Guard guard(state_->mutex);
    state_->faults.AddForNextCommands(TarnLinkVirtual::PlannedFault{fault, delayMillisec}, commandCount);
}

void TarnVirtualDevice::InjectFaultForCommand(const char* commandName, VirtualFault fault, std::uint32_t delayMillisec)
{
    Guard guard(state_->mutex);
    state_->faults.AddForCommand(commandName, TarnLinkVirtual::PlannedFault{fault, delayMillisec});
}

void TarnVirtualDevice::ClearFaults()
{
    Guard guard(state_->mutex);
    state_->faults.Clear();
}

std::vector<VirtualPacketExchange> TarnVirtualDevice::GetPacketLog() const
{
    Guard guard(state_->mutex);
    return state_->log;
}

std::vector<VirtualPacketExchange> TarnVirtualDevice::TakePacketLog()
{
    Guard guard(state_->mutex);
    return std::exchange(state_->log, {});
}

void TarnVirtualDevice::ClearPacketLog()
{
    Guard guard(state_->mutex);
    state_->log.clear();
}

void TarnVirtualDevice::ClearStoredData()
{
    Guard guard(state_->mutex);
    state_->responder.Clear();
}

bool TarnVirtualDevice::Transmit(const char* commandName, const TarnCommandByteCode& request,
                                 TarnCommandByteCode* response, std::uint32_t timeoutMillisec)
{
    Guard guard(state_->mutex);
    Bytes packet = PacketBytes(request);
    State::Outcome outcome = state_->Exchange(commandName, packet, timeoutMillisec);
    if (response == nullptr) {
        outcome.transmitted = false;
    } else {
        response->Clear();
        response->CopyByteCodePacketBuffer(outcome.answer.data(), outcome.answer.size());
    }
    state_->log.push_back(VirtualPacketExchange{commandName != nullptr ? commandName : "", std::move(packet),
                                                std::move(outcome.answer), outcome.transmitted});
    return state_->log.back().transmitted;
}

// A packet lost to a fault gets no answer from the box; a damaged answer is
// the box's own answer, damaged on the way back.
TarnVirtualDevice::State::Outcome TarnVirtualDevice::State::Exchange(const char* commandName, const Bytes& packet,
                                                                     std::uint32_t timeoutMillisec)
{
    const auto* layout = responder.Resolve(commandName, packet.data(), packet.size());
    TarnLinkVirtual::PlannedFault fault;
    if (!faults.Take(commandName, layout != nullptr ? layout->name.c_str() : nullptr, &fault)) {
        return Outcome{responder.Answer(layout, packet.data(), packet.size(), identity), true};
    }
    if (fault.fault == VirtualFault::kDelay) {
        const bool late = timeoutMillisec > 0 && fault.delayMillisec > timeoutMillisec;
        std::this_thread::sleep_for(std::chrono::milliseconds(late ? timeoutMillisec : fault.delayMillisec));
        if (late) {
            fault.fault = VirtualFault::kTimeOut;
        }
    }
    switch (fault.fault) {
    case VirtualFault::kTimeOut:
        return Outcome{LostAnswer(TarnLinkVirtual::kStatusTimeOut), false};
    case VirtualFault::kTransmitFailure:
        return Outcome{LostAnswer(TarnLinkVirtual::kStatusTransmitFailure), false};
    case VirtualFault::kNotSupported:
        return Outcome{
            TarnLinkVirtual::StatusAnswer(packet.data(), packet.size(), TarnLinkVirtual::kStatusNotSupported), true};
    case VirtualFault::kShortAnswer:
    case VirtualFault::kCorruptAnswer:
    case VirtualFault::kDelay:
        break;
    }
    Bytes answer = responder.Answer(layout, packet.data(), packet.size(), identity);
    if (fault.fault == VirtualFault::kShortAnswer) {
        answer.pop_back();
    } else if (fault.fault == VirtualFault::kCorruptAnswer) {
        answer[0] = static_cast<unsigned char>(~answer[0]);
    }
    return Outcome{std::move(answer), true};
}

void TarnVirtualDevice::CommandSucceeded(TarnCommand& /*command*/) {}

void TarnVirtualDevice::Lock() { state_->mutex.lock(); }

void TarnVirtualDevice::Unlock() { state_->mutex.unlock(); }

} // namespace TarnLink
