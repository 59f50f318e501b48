#ifndef TARNLINK_COMMAND_BYTE_CODE_STATE_H
#define TARNLINK_COMMAND_BYTE_CODE_STATE_H

// The private state of a TarnCommandByteCode, shared with the compiler, which
// assembles a packet in place. The library reaches it through StateOf
// (state_pointer.h says how).

#include <cstddef>
#include <memory>
#include <new>

#include "command/state_pointer.h"
#include "tarnlink/TarnCommandByteCode.h"

namespace TarnLinkPrivate {

// The buffer is kept across Clear and reused by any later packet that fits,
// so a byte-code that is compiled into again and again allocates once.
struct ByteCodeState {
    // Room for size bytes, the old content not kept; null when memory runs
    // out, the byte-code then holding nothing.
    unsigned char* Reserve(std::size_t size)
    {
        if (size > capacity) {
            buffer.reset(new (std::nothrow) unsigned char[size]);
            capacity = buffer ? size : 0;
            length = 0;
        }
        return buffer.get();
    }

    std::unique_ptr<unsigned char[]> buffer;
    std::size_t capacity = 0;
    std::size_t length = 0;
};

inline ByteCodeState& StateOf(TarnLink::TarnCommandByteCode& byteCode) { return StateBehind<ByteCodeState>(byteCode); }
inline const ByteCodeState& StateOf(const TarnLink::TarnCommandByteCode& byteCode)
{
    return StateBehind<ByteCodeState>(byteCode);
}

} // namespace TarnLinkPrivate

#endif
