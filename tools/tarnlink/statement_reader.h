#ifndef TARNLINK_TOOL_STATEMENT_READER_H
#define TARNLINK_TOOL_STATEMENT_READER_H

#include <cstddef>
#include <sstream>
#include <string>

#include "tarnlink/TarnCommand.h"

namespace TarnLinkTool {

// Reads the statements of the library's parsable command text:
//     [tarn] send|request NAME {PARAMETER KEYWORD VALUE} . [;]
// An execution trace log reads as it is: its "@time ... ;" entries are
// skipped, and so are lines that begin with "#". Unlike the library's own
// trace entries, a request statement may carry its request-data parameters.
class StatementReader {
public:
    // source names the text in messages ("session.tarn", "statement").
    StatementReader(std::string text, std::string source);

    // The next statement into command; false at the end of the text. A
    // statement that cannot be read throws a CommandFailure naming its line.
    bool Next(TarnLink::TarnCommand* command);
    // The text of the statement last read, on one line, printable.
    std::string LastStatementText() const;
    std::size_t LastStatementLine() const { return lastLine_; }

private:
    bool SkipToStatement();
    void SkipPast(char terminator);
    std::size_t Position();
    std::size_t LineAt(std::size_t position) const;
    [[noreturn]] void Fail(const std::string& message) const;

    std::string text_;
    std::string source_;
    std::istringstream in_;
    std::size_t lastStart_ = 0;
    std::size_t lastEnd_ = 0;
    std::size_t lastLine_ = 0;
};

} // namespace TarnLinkTool

#endif
