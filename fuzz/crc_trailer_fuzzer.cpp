// Checksum trailers of definition files: any bytes are checked without harm;
// a trailer stamped onto any text verifies, and changing one byte of the text
// then fails the check.

#include <sstream>
#include <string>

#include "fuzz_input.h"
#include "runtime/crc_calculator.h"
#include "runtime/crc_file_processors.h"

namespace {

// The trailer as the stamping writes it: the checksum covers the text up to
// and including its opening "\n#".
std::string Stamped(const std::string& text)
{
    const std::string covered = text + "\n#";
    TarnLinkPrivate::CRCCalculator crc;
    crc.Begin();
    crc.Update(reinterpret_cast<const unsigned char*>(covered.data()), covered.size());
    crc.End();
    return covered + "$ " + std::to_string(crc.GetValue()) + " $ ";
}

bool Verifies(const std::string& file)
{
    TarnLinkPrivate::CRCCheckProcessor check;
    std::istringstream stream(file);
    return check.ProcessFile(stream, "fuzz.tcd");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = [] {
        SilenceDiagnostics();
        return true;
    }();
    (void)ready;

    FuzzInput input(data, size);
    const std::size_t changedAt = input.Integer<std::uint16_t>();
    const auto change = static_cast<char>(input.Byte() | 1);
    const std::string text = input.Rest();
    Verifies(std::string(reinterpret_cast<const char*>(data), size));

    std::string file = Stamped(text);
    Require(Verifies(file), "a stamped file verifies");
    if (!text.empty()) {
        file[changedAt % text.size()] ^= change;
        Require(!Verifies(file), "a changed byte fails the check");
    }
    return 0;
}
