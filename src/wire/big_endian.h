#ifndef TARNLINK_WIRE_BIG_ENDIAN_H
#define TARNLINK_WIRE_BIG_ENDIAN_H

// Integers on the wire are most significant byte first.

#include <cstddef>
#include <cstdint>

namespace TarnLinkPrivate {

inline void WriteBigEndian(std::uint64_t value, std::size_t width, unsigned char* out)
{
    for (std::size_t i = width; i > 0; --i) {
        out[i - 1] = static_cast<unsigned char>(value & 0xFFu);
        value >>= 8;
    }
}

inline std::uint64_t ReadBigEndian(const unsigned char* in, std::size_t width)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        value = (value << 8) | in[i];
    }
    return value;
}

} // namespace TarnLinkPrivate

#endif
