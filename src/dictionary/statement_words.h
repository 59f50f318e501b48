#ifndef TARNLINK_DICTIONARY_STATEMENT_WORDS_H
#define TARNLINK_DICTIONARY_STATEMENT_WORDS_H

// The words of one statement of a definition or capability file, separated
// by white space (blank, tab, line feed, vertical tab, form feed, carriage
// return), read one by one from the text without copying it.

#include <cstdint>
#include <string>
#include <string_view>

namespace TarnLinkPrivate {

class StatementWords {
public:
    explicit StatementWords(std::string_view text) : text_(text) {}

    // The next word, a view into the statement's text; empty when the
    // statement has no further word.
    std::string_view Next();
    // The next word as a whole decimal number of the type's range; false for
    // a missing word, any other character or an out-of-range value.
    bool NextInt32(std::int32_t& value);
    bool NextUInt32(std::uint32_t& value);

private:
    std::string_view text_;
    std::size_t position_ = 0;
};

} // namespace TarnLinkPrivate

#endif
