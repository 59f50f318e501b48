#ifndef TARNLINK_DICTIONARY_NAME_BYTES_H
#define TARNLINK_DICTIONARY_NAME_BYTES_H

// Name comparison for the look-ups by name that start-up and the host's
// every get and set make: lengths first, then the bytes a word at a time.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace TarnLinkPrivate {

// Equal bytes of two names of one length. Two overlapping word loads cover
// any length from 4 to 16 bytes, so the names a host passes on every get and
// set are compared without a loop byte by byte, and no byte past either end
// is read.
inline bool SameNameBytes(const char* a, const char* b, std::size_t length)
{
    const auto words = [&](auto word) {
        constexpr std::size_t kWidth = sizeof word;
        decltype(word) left[2];
        decltype(word) right[2];
        std::memcpy(&left[0], a, kWidth);
        std::memcpy(&right[0], b, kWidth);
        std::memcpy(&left[1], a + length - kWidth, kWidth);
        std::memcpy(&right[1], b + length - kWidth, kWidth);
        return left[0] == right[0] && left[1] == right[1];
    };
    if (length >= sizeof(std::uint64_t) && length <= 2 * sizeof(std::uint64_t)) {
        return words(std::uint64_t{});
    }
    if (length >= sizeof(std::uint32_t) && length < sizeof(std::uint64_t)) {
        return words(std::uint32_t{});
    }
    return std::memcmp(a, b, length) == 0;
}

// Exactly equal names.
inline bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && SameNameBytes(a.data(), b.data(), a.size());
}

} // namespace TarnLinkPrivate

#endif
