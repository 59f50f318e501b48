#ifndef TARNLINK_TARNCOMMANDBYTECODE_H
#define TARNLINK_TARNCOMMANDBYTECODE_H

#include <cstddef>
#include <cstdint>

#include "tarnlink/TarnCommand.h"
#include "tarnlink/TarnExport.h"

namespace TarnLinkPrivate {
struct ByteCodeState;
} // namespace TarnLinkPrivate

namespace TarnLink {

// One packet: a compiled command or the hardware's response to one.
//
//     TarnLink::TarnCommandByteCode packet;
//     if (TarnLink::TarnCommandFactory::CompileTarnByteCode(mute, packet, nullptr, nullptr)) {
//         unsigned char* bytes = nullptr;
//         packet.GetPacketByteCodeBuffer(&bytes);
//     }
//
// Thread safety: a byte-code is a value; its const members may run on several
// threads at once, every other use needs one thread at a time.
class TARNLINK_API TarnCommandByteCode {
public:
    TarnCommandByteCode();
    ~TarnCommandByteCode();
    TarnCommandByteCode(const TarnCommandByteCode&) = delete;
    TarnCommandByteCode& operator=(const TarnCommandByteCode&) = delete;

    void Clear();
    bool CopyByteCodePacketBuffer(const unsigned char* data, std::size_t length);
    std::size_t ComputeTotalPacketByteCodeLength() const;
    bool GetPacketByteCodeBuffer(unsigned char** buffer) const;
    bool GetPacketByteCodeBufferLength(std::size_t* length) const;
    bool GetPointerToParamDataLocation(std::int64_t offset, unsigned char** location) const;
    bool GetPointerToStartOfDataPayload(unsigned char** location) const;
    bool HasData() const;
    std::int32_t DeterminePacketDataPayloadLength() const;
    CommandStatus_t ExtractStatus() const;
    bool SetSucceeded();
    bool SetFailed();
    bool SetTimedOut();

private:
    TarnLinkPrivate::ByteCodeState* state_; // the only data member: the whole state lives behind it
};

} // namespace TarnLink

#endif
