// One packet of bytes: a compiled command or the response to one.

#include "tarnlink/TarnCommandByteCode.h"

#include <cstring>
#include <memory>
#include <new>
#include <utility>

#include "wire/wire_format.h"
#include "command/tarn_command_byte_code_body.h"

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

TarnCommandByteCode::TarnCommandByteCode() : body_(new Body) {}

TarnCommandByteCode::~TarnCommandByteCode() { delete body_; }

void TarnCommandByteCode::Clear() { body_->length = 0; }

bool TarnCommandByteCode::CopyByteCodePacketBuffer(const unsigned char* data, std::size_t length)
{
    if (data == nullptr || length == 0) {
        return false;
    }
    if (length <= body_->capacity) {
        std::memmove(body_->buffer.get(), data, length);
        body_->length = length;
        return true;
    }
    // Copied before the old buffer goes, in case data points into it.
    std::unique_ptr<unsigned char[]> larger(new (std::nothrow) unsigned char[length]);
    if (!larger) {
        body_->buffer.reset();
        body_->capacity = 0;
        body_->length = 0;
        return false;
    }
    std::memcpy(larger.get(), data, length);
    body_->buffer = std::move(larger);
    body_->capacity = length;
    body_->length = length;
    return true;
}

std::size_t TarnCommandByteCode::ComputeTotalPacketByteCodeLength() const { return body_->length; }

bool TarnCommandByteCode::GetPacketByteCodeBuffer(unsigned char** buffer) const
{
    if (buffer == nullptr || body_->length == 0) {
        return false;
    }
    *buffer = body_->buffer.get();
    return true;
}

bool TarnCommandByteCode::GetPacketByteCodeBufferLength(std::size_t* length) const
{
    if (length == nullptr || body_->length == 0) {
        return false;
    }
    *length = body_->length;
    return true;
}

bool TarnCommandByteCode::GetPointerToParamDataLocation(std::int64_t offset, unsigned char** location) const
{
    if (location == nullptr || body_->length == 0 || static_cast<std::uint64_t>(offset) >= body_->length) {
        return false;
    }
    *location = body_->buffer.get() + offset;
    return true;
}

bool TarnCommandByteCode::GetPointerToStartOfDataPayload(unsigned char** location) const
{
    return GetPointerToParamDataLocation(static_cast<std::int64_t>(kTarnHeaderSize), location);
}

bool TarnCommandByteCode::HasData() const { return body_->length > kTarnHeaderSize; }

std::int32_t TarnCommandByteCode::DeterminePacketDataPayloadLength() const
{
    constexpr std::int32_t kNoPacket = -1;
    constexpr std::int32_t kNotMarked = -6;
    if (body_->length < kTarnHeaderSize) {
        return kNoPacket;
    }
    if (!TarnLinkPrivate::HasTransportMark(body_->buffer.get())) {
        return kNotMarked;
    }
    return TarnLinkPrivate::TransportLengthField(body_->buffer.get()) - TarnLinkPrivate::kTransportLengthBias;
}

CommandStatus_t TarnCommandByteCode::ExtractStatus() const
{
    if (body_->length < kTarnHeaderSize || !TarnLinkPrivate::HasTransportMark(body_->buffer.get())) {
        return kTLFail;
    }
    return TarnLinkPrivate::StatusFromResponseByte(body_->buffer[TarnLinkPrivate::kTarnStatusOffset]);
}

bool TarnCommandByteCode::SetSucceeded() { return HoldStatusPacket(*this, TarnLinkPrivate::kResponseSuccess); }
bool TarnCommandByteCode::SetFailed() { return HoldStatusPacket(*this, TarnLinkPrivate::kResponseFail); }
bool TarnCommandByteCode::SetTimedOut() { return HoldStatusPacket(*this, TarnLinkPrivate::kResponseTimeOut); }

} // namespace TarnLink
