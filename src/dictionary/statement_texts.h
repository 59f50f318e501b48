#ifndef TARNLINK_DICTIONARY_STATEMENT_TEXTS_H
#define TARNLINK_DICTIONARY_STATEMENT_TEXTS_H

// The statements of a definition or capability file: each is the text before
// its ";". The file's text is read into memory once and the statements are
// views into it, as reading a stream one statement at a time cost start-up
// more than parsing them.

#include <iosfwd>
#include <string>
#include <string_view>

namespace TarnLinkPrivate {

// Everything the stream still holds.
std::string ReadWholeText(std::istream& input);

class StatementTexts {
public:
    explicit StatementTexts(std::string_view text) : rest_(text) {}

    // The next statement closed by a ";"; false when no ";" is left.
    bool Next(std::string_view& statement);
    // What follows the last ";": no statement, as nothing closes it.
    std::string_view Rest() const { return rest_; }

private:
    std::string_view rest_;
};

} // namespace TarnLinkPrivate

#endif
