// Parsable command text: whatever Parse accepts (the stream did not fail),
// WriteParsable writes so that it reads back to the same command.

#include <sstream>
#include <string>

#include "fuzz_input.h"
#include "parsable_of.h"
#include "tarnlink/TarnCommand.h"

namespace {

using TarnLink::TarnCommand;

// What WriteParsable puts before the body that Parse reads.
constexpr char kSendStatementStart[] = "\ntarn send ";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TarnCommand parsed;
    std::istringstream body(std::string(reinterpret_cast<const char*>(data), size));
    parsed.Parse(body);
    if (body.fail()) {
        return 0;
    }
    const std::string written = ParsableOf(parsed);
    Require(written.rfind(kSendStatementStart, 0) == 0, "a send command's statement starts with its direction");

    TarnCommand reread("Stale");
    reread.SetParamUInt8("Stale", 1);
    std::istringstream again(written.substr(sizeof kSendStatementStart - 1));
    reread.Parse(again);
    Require(!again.fail(), "written text reads back");
    Require(ParsableOf(reread) == written, "written text reads back to the same command");
    return 0;
}
