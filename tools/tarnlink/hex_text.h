#ifndef TARNLINK_TOOL_HEX_TEXT_H
#define TARNLINK_TOOL_HEX_TEXT_H

#include <cstddef>
#include <string>
#include <vector>

namespace TarnLinkTool {

constexpr std::size_t kNoByteLimit = static_cast<std::size_t>(-1);

// "0B 0B 00 06 40 2E 00 00 05 01"; beyond limit bytes the rest is summarised.
std::string FormatHex(const unsigned char* data, std::size_t length, std::size_t limit = kNoByteLimit);
std::string FormatHex(const std::vector<unsigned char>& bytes, std::size_t limit = kNoByteLimit);

// Reads hex bytes written in groups of whole bytes, separated by blanks,
// commas or colons, each group with an optional 0x prefix: "0B0B0006",
// "0B 0B 00 06", "0x0B,0x0B". False for anything else or no bytes at all.
bool ParseHex(const std::string& text, std::vector<unsigned char>* bytes);

} // namespace TarnLinkTool

#endif
