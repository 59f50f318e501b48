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

// The same for the widths of integer parameters, each unrolled and tested
// in the order of their frequency in definitions.
inline void WriteBigEndianInteger(std::uint64_t value, std::size_t width, unsigned char* out)
{
    if (width == 1) {
        WriteBigEndian(value, 1, out);
    } else if (width == 4) {
        WriteBigEndian(value, 4, out);
    } else if (width == 2) {
        WriteBigEndian(value, 2, out);
    } else {
        WriteBigEndian(value, width, out);
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

// Whether an integer of this width is read without a loop.
constexpr bool IsWordWidth(std::size_t width) { return width == 1 || width == 2 || width == 4 || width == 8; }

// The same for the widths of integer parameters, each a word (IsWordWidth),
// unrolled and tested as above: no loop, so the decoder's planned pass keeps
// all it holds in registers.
inline std::uint64_t ReadBigEndianInteger(const unsigned char* in, std::size_t width)
{
    if (width == 1) {
        return ReadBigEndian(in, 1);
    }
    if (width == 4) {
        return ReadBigEndian(in, 4);
    }
    if (width == 2) {
        return ReadBigEndian(in, 2);
    }
    return ReadBigEndian(in, 8);
}

} // namespace TarnLinkPrivate

#endif
