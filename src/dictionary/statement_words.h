#ifndef TARNLINK_DICTIONARY_STATEMENT_WORDS_H
#define TARNLINK_DICTIONARY_STATEMENT_WORDS_H

// The words of one statement of a definition or capability file, separated
// by white space (blank, tab, line feed, vertical tab, form feed, carriage
// return), read one by one from the text without copying it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace TarnLinkPrivate {

class StatementWords {
public:
    explicit StatementWords(std::string_view text) : text_(text) {}

    // The next word, a view into the statement's text; empty when the
    // statement has no further word. Inline, as every word of every file
    // passes here at start-up.
    std::string_view Next()
    {
        while (position_ < text_.size() && IsBlank(text_[position_])) {
            ++position_;
        }
        const std::size_t start = position_;
        while (position_ < text_.size() && !IsBlank(text_[position_])) {
            ++position_;
        }
        return text_.substr(start, position_ - start);
    }
    // The next word as a whole decimal number of the type's range; false for
    // a missing word, any other character or an out-of-range value.
    bool NextInt32(std::int32_t& value);
    bool NextUInt32(std::uint32_t& value);

private:
    // Blank, tab, line feed, vertical tab, form feed, carriage return: one
    // look-up per character.
    static constexpr std::array<bool, 256> kBlanks = [] {
        std::array<bool, 256> blanks{};
        for (const unsigned char blank : {' ', '\t', '\n', '\v', '\f', '\r'}) {
            blanks[blank] = true;
        }
        return blanks;
    }();
    static bool IsBlank(char c) { return kBlanks[static_cast<unsigned char>(c)]; }

    std::string_view text_;
    std::size_t position_ = 0;
};

} // namespace TarnLinkPrivate

#endif
