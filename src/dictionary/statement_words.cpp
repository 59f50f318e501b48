#include "dictionary/statement_words.h"

#include <algorithm>
#include <limits>

namespace TarnLinkPrivate {

namespace {

// Optional sign, then decimal digits only; the magnitude is capped so that
// any overflow is seen by the range checks of the callers.
bool ParseDecimal(std::string_view word, bool& negative, std::uint64_t& magnitude)
{
    std::size_t index = 0;
    negative = false;
    if (index < word.size() && (word[index] == '+' || word[index] == '-')) {
        negative = word[index] == '-';
        ++index;
    }
    if (index == word.size()) {
        return false;
    }
    magnitude = 0;
    constexpr std::uint64_t kCap = std::uint64_t{1} << 40;
    for (; index < word.size(); ++index) {
        const char c = word[index];
        if (c < '0' || c > '9') {
            return false;
        }
        magnitude = std::min(kCap, magnitude * 10 + static_cast<std::uint64_t>(c - '0'));
    }
    return true;
}

} // namespace

bool StatementWords::NextInt32(std::int32_t& value)
{
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (!ParseDecimal(Next(), negative, magnitude)) {
        return false;
    }
    const std::int64_t signedValue =
        negative ? -static_cast<std::int64_t>(magnitude) : static_cast<std::int64_t>(magnitude);
    if (signedValue < std::numeric_limits<std::int32_t>::min() ||
        signedValue > std::numeric_limits<std::int32_t>::max()) {
        return false;
    }
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

bool StatementWords::NextUInt32(std::uint32_t& value)
{
    bool negative = false;
    std::uint64_t magnitude = 0;
    if (!ParseDecimal(Next(), negative, magnitude) || (negative && magnitude != 0) ||
        magnitude > std::numeric_limits<std::uint32_t>::max()) {
        return false;
    }
    value = static_cast<std::uint32_t>(magnitude);
    return true;
}

} // namespace TarnLinkPrivate
