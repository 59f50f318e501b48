#ifndef TARNLINK_HWCAPS_BUFFER_COPY_H
#define TARNLINK_HWCAPS_BUFFER_COPY_H

// The two ways capability text reaches a caller's buffer. Names are refused
// when they do not fit with room to spare; values are cut to fit.

#include <cstddef>
#include <string_view>

namespace TarnLinkPrivate {

// True when the buffer can take a name: not null, and the name shorter than
// size - 1.
bool NameFits(std::string_view name, std::size_t size, const char* buffer);
// Zero-fills the buffer and copies the name; false when it does not fit.
bool CopyNameOut(std::string_view name, std::size_t size, char* buffer);
// Zero-fills the buffer and copies at most size - 1 characters; false only
// for a null buffer or size 0.
bool CopyValueOut(std::string_view value, std::size_t size, char* buffer);

} // namespace TarnLinkPrivate

#endif
