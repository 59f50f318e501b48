#ifndef TARNLINK_DICTIONARY_STATEMENT_TEXTS_H
#define TARNLINK_DICTIONARY_STATEMENT_TEXTS_H

// The statements of a definition or capability file: each is the text before
// its ";". The file's text is read into memory once and the statements are
// views into it, as reading a stream one statement at a time cost start-up
// more than parsing them.

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>

namespace TarnLinkPrivate {

// Everything the stream still holds.
std::string ReadWholeText(std::istream& input);

class StatementTexts {
public:
    explicit StatementTexts(std::string_view text) : text_(text), firstNul_(text.find('\0')) {}

    // The next statement closed by a ";"; false when no ";" is left.
    bool Next(std::string_view& statement);
    // True when the statement Next gave last holds a NUL byte. The text is
    // searched for one once, not statement by statement.
    bool LastHoldsNul() const { return firstNul_ >= lastStart_ && firstNul_ < position_; }
    // What follows the last ";": no statement, as nothing closes it.
    std::string_view Rest() const { return text_.substr(position_); }

private:
    std::string_view text_;
    std::size_t firstNul_;
    std::size_t lastStart_ = 0;
    std::size_t position_ = 0; // just past the last ";" found
};

} // namespace TarnLinkPrivate

#endif
