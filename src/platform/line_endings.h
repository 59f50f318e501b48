#ifndef TARNLINK_PLATFORM_LINE_ENDINGS_H
#define TARNLINK_PLATFORM_LINE_ENDINGS_H

#include <string>

namespace TarnLinkPrivate {
namespace Platform {

// The text as a text-mode read gives it: a carriage return directly before a
// line feed is dropped, every other byte kept. Every backend reads text files
// through it, so that a file reads (and checksums) alike on every system.
std::string DropCarriageReturnsBeforeLineFeeds(const std::string& raw);

} // namespace Platform
} // namespace TarnLinkPrivate

#endif
