#ifndef TARNLINK_TOOL_TRACE_WRITER_H
#define TARNLINK_TOOL_TRACE_WRITER_H

#include <filesystem>
#include <fstream>

#include "tarnlink/TarnCommand.h"

namespace TarnLinkTool {

// Writes the statements that run executes in the format of the library's
// execution trace log ("@time" entries followed by parsable text). Request
// statements keep their request-data parameters and meta commands are
// written too, so that the trace replays to the same packets.
class TraceWriter {
public:
    // Throws a CommandFailure when the file cannot be created.
    explicit TraceWriter(const std::filesystem::path& path);
    // Written before the command executes, as the library does.
    void Write(const TarnLink::TarnCommand& command);

private:
    std::ofstream file_;
};

} // namespace TarnLinkTool

#endif
