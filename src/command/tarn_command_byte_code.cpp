// One packet of bytes: a compiled command or the response to one.

#include "tarnlink/TarnCommandByteCode.h"

#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "wire/wire_format.h"
#include "command/byte_code_state.h"

namespace TarnLink {

namespace {
constexpr auto kTarnHeaderSize = static_cast<std::size_t>(TarnLinkPrivate::kTarnHeaderLength);

bool HoldStatusPacket(TarnCommandByteCode& byteCode, unsigned char statusByte)
{
    unsigned char packet[kTarnHeaderSize];
    TarnLinkPrivate::WriteStatusPacket(statusByte, packet);
    byteCode.Clear();
    return byteCode.CopyByteCodePacketBuffer(packet, sizeof(packet));
}
} // namespace

TarnCommandByteCode::TarnCommandByteCode() : state_(new TarnLinkPrivate::ByteCodeState) {}

TarnCommandByteCode::~TarnCommandByteCode() { delete state_; }

void TarnCommandByteCode::Clear() { state_->length = 0; }

bool TarnCommandByteCode::CopyByteCodePacketBuffer(const unsigned char* data, std::size_t length)
{
    if (data == nullptr || length == 0) {
        return false;
    }
    if (length <= state_->capacity) {
        std::memmove(state_->buffer.get(), data, length);
        state_->length = length;
        return true;
    }
    // Copied before the old buffer goes, in case data points into it.
    std::unique_ptr<unsigned char[]> larger(new (std::nothrow) unsigned char[length]);
    if (!larger) {
        state_->buffer.reset();
        state_->capacity = 0;
        state_->length = 0;
        return false;
    }
    std::memcpy(larger.get(), data, length);
    state_->buffer = std::move(larger);
    state_->capacity = length;
    state_->length = length;
    return true;
}

std::size_t TarnCommandByteCode::ComputeTotalPacketByteCodeLength() const { return state_->length; }

bool TarnCommandByteCode::GetPacketByteCodeBuffer(unsigned char** buffer) const
{
    if (buffer == nullptr || state_->length == 0) {
        return false;
    }
    *buffer = state_->buffer.get();
    return true;
}

bool TarnCommandByteCode::GetPacketByteCodeBufferLength(std::size_t* length) const
{
    if (length == nullptr || state_->length == 0) {
        return false;
    }
    *length = state_->length;
    return true;
}

bool TarnCommandByteCode::GetPointerToParamDataLocation(std::int64_t offset, unsigned char** location) const
{
    if (location == nullptr || state_->length == 0 || static_cast<std::uint64_t>(offset) >= state_->length) {
        return false;
    }
    *location = state_->buffer.get() + offset;
    return true;
}

bool TarnCommandByteCode::GetPointerToStartOfDataPayload(unsigned char** location) const
{
    return GetPointerToParamDataLocation(static_cast<std::int64_t>(kTarnHeaderSize), location);
}

bool TarnCommandByteCode::HasData() const { return state_->length > kTarnHeaderSize; }

std::int32_t TarnCommandByteCode::DeterminePacketDataPayloadLength() const
{
    constexpr std::int32_t kNoPacket = -1;
    constexpr std::int32_t kNotMarked = -6;
    if (state_->length < kTarnHeaderSize) {
        return kNoPacket;
    }
    if (!TarnLinkPrivate::HasTransportMark(state_->buffer.get())) {
        return kNotMarked;
    }
    return TarnLinkPrivate::TransportLengthField(state_->buffer.get()) - TarnLinkPrivate::kTransportLengthBias;
}

CommandStatus_t TarnCommandByteCode::ExtractStatus() const
{
    if (state_->length < kTarnHeaderSize || !TarnLinkPrivate::HasTransportMark(state_->buffer.get())) {
        return kTLFail;
    }
    return TarnLinkPrivate::StatusFromResponseByte(state_->buffer[TarnLinkPrivate::kTarnStatusOffset]);
}

bool TarnCommandByteCode::SetSucceeded() { return HoldStatusPacket(*this, TarnLinkPrivate::kResponseSuccess); }
bool TarnCommandByteCode::SetFailed() { return HoldStatusPacket(*this, TarnLinkPrivate::kResponseFail); }
bool TarnCommandByteCode::SetTimedOut() { return HoldStatusPacket(*this, TarnLinkPrivate::kResponseTimeOut); }

} // namespace TarnLink
