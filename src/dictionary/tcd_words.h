#ifndef TARNLINK_DICTIONARY_TCD_WORDS_H
#define TARNLINK_DICTIONARY_TCD_WORDS_H

// The words and numbers of one definition statement.

#include <cstdint>
#include <optional>
#include <string_view>

#include "dictionary/statement_words.h"

namespace TarnLinkPrivate {

// The next white-space separated word, a view into the statement's text;
// empty at the end of the statement.
inline std::string_view ReadWord(StatementWords& statement) { return statement.Next(); }

// The next word as a decimal number with an optional sign; none when the
// statement has ended, the word is not a number or it does not fit the type.
std::optional<std::int16_t> ReadInt16(StatementWords& statement);
std::optional<std::int32_t> ReadInt32(StatementWords& statement);

} // namespace TarnLinkPrivate

#endif
