#include "statement_reader.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "tool_context.h"

namespace TarnLinkTool {
namespace {

constexpr char kTarnWord[] = "tarn";
constexpr char kSendWord[] = "send";
constexpr char kRequestWord[] = "request";
constexpr char kTimeStampWord[] = "@time";
constexpr char kExpectedDirection[] = "expected 'send' or 'request' but found '";
constexpr char kMissingName[] = "the statement names no command";
constexpr char kUnterminated[] = "the statement has a value that cannot be read or no closing '.'";
constexpr char kCommentMark = '#';
constexpr char kStatementEnd = ';';
constexpr std::size_t kShownStatementLength = 120;
constexpr std::size_t kShownWordLength = 40;

// Text of the script fit for a message: control and other unprintable bytes
// as dots, long words cut short.
std::string Printable(const std::string& text, std::size_t limit = kShownWordLength)
{
    std::string shown;
    for (char character : text) {
        if (shown.size() == limit) {
            return shown + "...";
        }
        shown.push_back(std::isprint(static_cast<unsigned char>(character)) ? character : '.');
    }
    return shown;
}

} // namespace

StatementReader::StatementReader(std::string text, std::string source)
    : text_(std::move(text)), source_(std::move(source)), in_(text_)
{
}

bool StatementReader::Next(TarnLink::TarnCommand* command)
{
    if (!SkipToStatement()) {
        return false;
    }
    lastStart_ = Position();
    lastLine_ = LineAt(lastStart_);
    std::string word;
    in_ >> word;
    if (word == kTarnWord) {
        in_ >> word;
    }
    if (word == kSendWord) {
        command->SetupSendCommand();
    } else if (word == kRequestWord) {
        command->SetupRequestDataCommand();
    } else {
        Fail(kExpectedDirection + Printable(word) + "'");
    }
    command->Parse(in_);
    if (in_.fail()) {
        Fail(kUnterminated);
    }
    const char* name = command->GetCommandName();
    if (name == nullptr || *name == '\0' || std::string(name) == ".") {
        Fail(kMissingName);
    }
    lastEnd_ = Position();
    in_ >> std::ws;
    if (in_.peek() == kStatementEnd) {
        in_.get();
    }
    in_.clear();
    return true;
}

// Where the reading stands; a stream at its end reports no position.
std::size_t StatementReader::Position() { return in_.eof() ? text_.size() : static_cast<std::size_t>(in_.tellg()); }

// Skips white space, comment lines and time stamp entries.
bool StatementReader::SkipToStatement()
{
    for (;;) {
        in_ >> std::ws;
        const int next = in_.peek();
        if (next == std::char_traits<char>::eof()) {
            return false;
        }
        if (next == kCommentMark) {
            SkipPast('\n');
            continue;
        }
        const std::streampos start = in_.tellg();
        std::string word;
        in_ >> word;
        if (word != kTimeStampWord) {
            in_.seekg(start);
            return true;
        }
        SkipPast(kStatementEnd);
    }
}

void StatementReader::SkipPast(char terminator)
{
    in_.ignore(std::numeric_limits<std::streamsize>::max(), terminator);
    in_.clear(in_.rdstate() & ~std::ios::failbit);
}

std::size_t StatementReader::LineAt(std::size_t position) const
{
    const auto end = text_.begin() + static_cast<std::ptrdiff_t>(std::min(position, text_.size()));
    return static_cast<std::size_t>(std::count(text_.begin(), end, '\n')) + 1;
}

std::string StatementReader::LastStatementText() const
{
    std::string collapsed;
    bool blank = false;
    for (std::size_t i = lastStart_; i < lastEnd_ && i < text_.size(); ++i) {
        const char character = text_[i];
        if (std::isspace(static_cast<unsigned char>(character))) {
            blank = !collapsed.empty();
            continue;
        }
        if (blank) {
            collapsed.push_back(' ');
            blank = false;
        }
        collapsed.push_back(character);
    }
    return Printable(collapsed, kShownStatementLength);
}

void StatementReader::Fail(const std::string& message) const
{
    throw CommandFailure(source_ + ":" + std::to_string(lastLine_) + ": " + message);
}

} // namespace TarnLinkTool
