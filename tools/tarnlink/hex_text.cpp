#include "hex_text.h"

#include <cctype>

namespace TarnLinkTool {
namespace {

constexpr char kDigits[] = "0123456789ABCDEF";
constexpr char kSeparators[] = " \t\r\n,:";

int DigitValue(char digit)
{
    if (digit >= '0' && digit <= '9') {
        return digit - '0';
    }
    const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(digit)));
    return upper >= 'A' && upper <= 'F' ? upper - 'A' + 10 : -1;
}

bool AppendGroup(std::string group, std::vector<unsigned char>* bytes)
{
    if (group.size() > 2 && group[0] == '0' && (group[1] == 'x' || group[1] == 'X')) {
        group.erase(0, 2);
    }
    if (group.empty() || group.size() % 2 != 0) {
        return false;
    }
    for (std::size_t i = 0; i < group.size(); i += 2) {
        const int high = DigitValue(group[i]);
        const int low = DigitValue(group[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        bytes->push_back(static_cast<unsigned char>(high * 16 + low));
    }
    return true;
}

} // namespace

std::string FormatHex(const unsigned char* data, std::size_t length, std::size_t limit)
{
    std::string text;
    const std::size_t shown = length < limit ? length : limit;
    text.reserve(shown * 3 + 32);
    for (std::size_t i = 0; i < shown; ++i) {
        if (i > 0) {
            text.push_back(' ');
        }
        text.push_back(kDigits[data[i] >> 4]);
        text.push_back(kDigits[data[i] & 0x0F]);
    }
    if (shown < length) {
        text += " ... (" + std::to_string(length) + " bytes)";
    }
    return text;
}

std::string FormatHex(const std::vector<unsigned char>& bytes, std::size_t limit)
{
    return FormatHex(bytes.data(), bytes.size(), limit);
}

bool ParseHex(const std::string& text, std::vector<unsigned char>* bytes)
{
    std::vector<unsigned char> parsed;
    std::size_t position = text.find_first_not_of(kSeparators);
    while (position != std::string::npos) {
        const std::size_t end = text.find_first_of(kSeparators, position);
        if (!AppendGroup(text.substr(position, end - position), &parsed)) {
            return false;
        }
        position = text.find_first_not_of(kSeparators, end);
    }
    if (parsed.empty()) {
        return false;
    }
    *bytes = std::move(parsed);
    return true;
}

} // namespace TarnLinkTool
