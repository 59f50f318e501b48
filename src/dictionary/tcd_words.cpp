#include "dictionary/tcd_words.h"

#include <charconv>
#include <limits>

namespace TarnLinkPrivate {

namespace {

template <typename Integer>
std::optional<Integer> ReadInteger(StatementWords& statement)
{
    const std::string_view word = ReadWord(statement);
    const char* first = word.data();
    const char* last = word.data() + word.size();
    // A leading "+" is allowed where the conversion only knows "-".
    if (first != last && *first == '+' && first + 1 != last && *(first + 1) != '-') {
        ++first;
    }
    Integer value = 0;
    const std::from_chars_result result = std::from_chars(first, last, value);
    if (first == last || result.ec != std::errc() || result.ptr != last) {
        return std::nullopt;
    }
    return value;
}

} // namespace

std::optional<std::int16_t> ReadInt16(StatementWords& statement) { return ReadInteger<std::int16_t>(statement); }
std::optional<std::int32_t> ReadInt32(StatementWords& statement) { return ReadInteger<std::int32_t>(statement); }

} // namespace TarnLinkPrivate
