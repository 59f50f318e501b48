#ifndef TARNLINK_HWCAPS_STATEMENT_WORDS_H
#define TARNLINK_HWCAPS_STATEMENT_WORDS_H

// The words of one statement, separated by any white space, read one by one.

#include <cstdint>
#include <string>

namespace TarnLinkPrivate {

class StatementWords {
public:
    explicit StatementWords(const std::string& text) : text_(text) {}

    // The next word; empty when the statement has no further word.
    std::string Next();
    // The next word as a whole decimal number of the type's range; false for
    // a missing word, any other character or an out-of-range value.
    bool NextInt32(std::int32_t& value);
    bool NextUInt32(std::uint32_t& value);

private:
    const std::string& text_;
    std::size_t position_ = 0;
};

} // namespace TarnLinkPrivate

#endif
