// Definition file text: whatever registers dumps, writes its header text,
// compiles into one packet of 1 to 2048 bytes, the same along the planned and
// the full path, and decodes back into the values it was compiled from.

#include <sstream>
#include <string>
#include <vector>

#include "command_filler.h"
#include "dictionary/command_registry.h"
#include "dictionary/library_state.h"
#include "dictionary/tcd_parser.h"
#include "fuzz_input.h"
#include "library_setup.h"
#include "parsable_of.h"
#include "tarnlink/TarnCommandFactory.h"
#include "tarnlink/TarnDictionary.h"

namespace {

using TarnLink::CommandInfo;
using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;
using TarnLink::TarnCommandFactory;

constexpr std::size_t kLargestPacket = 2048;

std::string BytesOf(const TarnCommandByteCode& packet)
{
    unsigned char* bytes = nullptr;
    std::size_t length = 0;
    if (!packet.GetPacketByteCodeBuffer(&bytes) || !packet.GetPacketByteCodeBufferLength(&length)) {
        return {};
    }
    return std::string(reinterpret_cast<const char*>(bytes), length);
}

// Decoding takes every byte after the fixed-size fields into the byte
// stream, so only a byte stream in the last place reads back alone.
bool ByteStreamComesLast(const CommandInfo& definition)
{
    for (std::size_t i = 0; i + 1 < definition.parameters.size(); ++i) {
        if (definition.parameters[i].typeName == "BYTES") {
            return false;
        }
    }
    return true;
}

void CheckCompiledPacket(const CommandInfo& definition, FuzzInput& values)
{
    TarnCommand sent(definition.name.c_str());
    sent.SetupSendCommand();
    SetEveryParameter(sent, definition, values);
    // Along the full path first: compiling writes the numbers of symbols
    // into the command.
    TarnCommand traced(sent);
    TarnCommandByteCode fullPacket;
    TarnLink::CommandStatus_t fullStatus = TarnLink::kTLSuccess;
    const bool fullCompiled = WithCompileTrace(
        [&] { return TarnCommandFactory::CompileTarnByteCode(traced, fullPacket, nullptr, &fullStatus); });
    TarnCommandByteCode packet;
    std::uint32_t timeout = 0;
    TarnLink::CommandStatus_t status = TarnLink::kTLSuccess;
    const bool compiled = TarnCommandFactory::CompileTarnByteCode(sent, packet, &timeout, &status);
    Require(compiled == fullCompiled && status == fullStatus && BytesOf(packet) == BytesOf(fullPacket),
            "the planned and the full compilation agree");
    if (!compiled) {
        Require(status != TarnLink::kTLSuccess, "a failed compilation names its reason");
        return;
    }
    std::size_t length = 0;
    Require(packet.GetPacketByteCodeBufferLength(&length), "a compiled packet has a length");
    Require(length >= 1 && length <= kLargestPacket, "a packet holds 1 to 2048 bytes");
    Require(packet.ComputeTotalPacketByteCodeLength() == length, "the packet's header counts its bytes");

    // A packet with every parameter set reads like the hardware's answer.
    TarnCommand answered(definition.name.c_str());
    answered.SetupRequestDataCommand();
    Require(TarnCommandFactory::DecompileTarnByteCode(answered, packet, &status, false), "the packet decodes");
    if (ByteStreamComesLast(definition)) {
        answered.SetupSendCommand();
        Require(ParsableOf(answered) == ParsableOf(sent), "decoding gives back the compiled values");
    }
}

void CheckDefinition(const std::string& name, FuzzInput& values)
{
    CommandInfo definition;
    Require(TarnLink::TarnDictionary::GetCommandInfo(name.c_str(), &definition), "a registered name has a definition");
    std::ostringstream text;
    Require(TarnLink::TarnDictionary::DumpCommand(name.c_str(), text), "a registered definition dumps");
    Require(TarnLink::TarnDictionary::WriteCommandHeaderText(name.c_str(), text), "it writes its header text");
    if (definition.kind != TarnLink::CommandKind::kMeta) {
        CheckCompiledPacket(definition, values);
    }
}

void ForgetDefinitions()
{
    std::vector<std::string> errors;
    TarnLinkPrivate::TearDownDictionary(errors);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const bool ready = [] {
        SilenceDiagnostics();
        // Compiling asks for an initialized library; the dictionary stays
        // empty apart from what each input defines.
        TarnLinkPrivate::SetInitCount(1);
        return true;
    }();
    (void)ready;

    std::istringstream file(std::string(reinterpret_cast<const char*>(data), size));
    TarnLinkPrivate::ParseTCDFile(file, "fuzz.tcd");
    // The values come from the same bytes, read from their front.
    FuzzInput values(data, size);
    for (const std::string& name : TarnLink::TarnDictionary::GetCommandNames()) {
        CheckDefinition(name, values);
    }
    ForgetDefinitions();
    return 0;
}
