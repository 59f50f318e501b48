#ifndef TARNLINK_DICTIONARY_NAME_BYTES_H
#define TARNLINK_DICTIONARY_NAME_BYTES_H

// Name comparison for the look-ups by name that start-up and the host's
// every get and set make: lengths first, then the bytes a word at a time.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace TarnLinkPrivate {

// Equal bytes of two names of one length, compared a machine word at a time
// and inline: a look-up by name, by the host on every get and set or by a
// capability query, costs no library call. The last word overlaps the one
// before it, so no byte past either end is read.
inline bool SameNameBytes(const char* a, const char* b, std::size_t length)
{
    const auto equalAt = [a, b](std::size_t offset, auto word) {
        decltype(word) left;
        decltype(word) right;
        std::memcpy(&left, a + offset, sizeof word);
        std::memcpy(&right, b + offset, sizeof word);
        return left == right;
    };
    constexpr std::size_t kWord = sizeof(std::uint64_t);
    if (length >= kWord) {
        for (std::size_t offset = 0; offset + kWord < length; offset += kWord) {
            if (!equalAt(offset, std::uint64_t{})) {
                return false;
            }
        }
        return equalAt(length - kWord, std::uint64_t{});
    }
    if (length >= sizeof(std::uint32_t)) {
        return equalAt(0, std::uint32_t{}) && equalAt(length - sizeof(std::uint32_t), std::uint32_t{});
    }
    for (std::size_t i = 0; i < length; ++i) {
        if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

// The first and the last word of a name (its bytes, for a name shorter than
// four), read once: a look-up among the names of one command compares each
// candidate's ends with the host's by value, without following the
// candidate's text. Two names of one length are equal when their ends are and
// they are no longer than kNameBytesInEnds; longer ones compare the rest too.
struct NameEnds {
    std::uint64_t head = 0;
    std::uint64_t tail = 0;

    bool operator==(const NameEnds& other) const { return head == other.head && tail == other.tail; }
};

constexpr std::size_t kNameBytesInEnds = 2 * sizeof(std::uint64_t);

inline NameEnds EndsOf(const char* name, std::size_t length)
{
    NameEnds ends;
    const auto readEnds = [name, length, &ends](auto word) {
        decltype(word) head;
        decltype(word) tail;
        std::memcpy(&head, name, sizeof word);
        std::memcpy(&tail, name + length - sizeof word, sizeof word);
        ends.head = head;
        ends.tail = tail;
    };
    if (length >= sizeof(std::uint64_t)) {
        readEnds(std::uint64_t{});
    } else if (length >= sizeof(std::uint32_t)) {
        readEnds(std::uint32_t{});
    } else {
        for (std::size_t i = 0; i < length; ++i) {
            ends.head = ends.head << 8 | static_cast<unsigned char>(name[i]);
        }
    }
    return ends;
}

// Exactly equal names.
inline bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && SameNameBytes(a.data(), b.data(), a.size());
}

} // namespace TarnLinkPrivate

#endif
