#include "dictionary/statement_texts.h"

#include <istream>

namespace TarnLinkPrivate {

namespace {

// Larger than every shipped file, so that reading one grows the text once.
constexpr std::size_t kExpectedFileSize = 16 * 1024;
constexpr std::size_t kReadChunk = 4096;

} // namespace

std::string ReadWholeText(std::istream& input)
{
    std::string text;
    text.reserve(kExpectedFileSize);
    char chunk[kReadChunk];
    while (input.read(chunk, sizeof chunk) || input.gcount() > 0) {
        text.append(chunk, static_cast<std::size_t>(input.gcount()));
    }
    return text;
}

bool StatementTexts::Next(std::string_view& statement)
{
    const std::size_t end = text_.find(';', position_);
    if (end == std::string_view::npos) {
        return false;
    }
    statement = text_.substr(position_, end - position_);
    lastStart_ = position_;
    position_ = end + 1;
    return true;
}

} // namespace TarnLinkPrivate
