// The whole compilation of a command into its packet, with the compile
// trace's messages: every command the precomputed path leaves to it.

#include "command/full_compilation.h"

#include <algorithm>
#include <ostream>
#include <string>

#include "command/entry_check.h"
#include "command/parameter_codec.h"
#include "command/symbolic_constant.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/packet_layout.h"
#include "wire/wire_format.h"

namespace TarnLinkPrivate {

using TarnLink::CommandStatus_t;

namespace {
constexpr char kNotInitialized[] = "\n<-> ERROR Attempted to Compile command - TarnLink NOT INITIALIZED!\n";
constexpr char kMetaCommand[] =
    "\n<-> ERROR Attempted to Compile a MetaCommand - MetaCommands can only be Execute(d)!\n";
constexpr char kFormatNotFound[] = "\nConstructing ByteCode Compiler - Command format not found - Command : ";
constexpr char kConstructing[] = "\n\nConstructing ByteCode Compiler - Command : ";
constexpr char kLineFeed[] = "\n";
constexpr char kBegin[] = "\nBEGIN - Bytecode Compilation \nDetermine Packet Sizes";
constexpr char kComputingSizes[] = "\nComputing Packet Sizes";
constexpr char kPrecomputedSizes[] = "\nUsing precomputed packet size";
constexpr char kTotalSizeError[] = "\nError with total packet size";
constexpr char kMaximumSize[] = "\nMaximum Packet Size - ";
constexpr char kExceeded[] = " EXCEEDED\n";
constexpr char kCompileIntoPackets[] = "\nCompile command into packets...";
constexpr char kEnd[] = "\nEND   - Bytecode Compilation";
constexpr char kCompilationFailed[] = "\nERROR - packet compilation failed";
constexpr char kCompilingPacket[] = "\n\tCompiling Packet ";
constexpr char kWritingDiagMagic[] = "\n\tWriting Diag Command magic string";
constexpr char kWritingDiagOpcode[] = "\n\tWriting Diag Command opcode";
constexpr char kWritingTarnHeader[] = "\n\tWriting Tarn Command Header";
constexpr char kTarnHeaderError[] = "\n\tError writing Tarn Command header";
constexpr char kCompilingParameters[] = "\n\tCompiling Parameters ";
constexpr char kFinishedPacket[] = "\n\tFinished Packet";

bool IsSymbol(const ParameterValue* stored) { return stored != nullptr && stored->IsSymbol(); }

// One call of CompileTarnByteCode. The packet is assembled in the byte-code's
// own buffer, which the byte-code keeps from one packet to the next, and
// counts as its content only once complete; the shared definition is only
// read, so compilations may run on several threads.
class Compilation {
public:
    Compilation(CommandState& command, ByteCodeState& byteCode, const TarnDataCommandFormat& definition,
                CommandStatus_t* status, bool trace)
        : command_(command), byteCode_(byteCode), definition_(definition), status_(status), isSend_(command.isSend),
          laidOut_(command.IsLaidOutFor(definition)), trace_(trace)
    {
    }

    bool Run()
    {
        TraceMessage(kBegin);
        if (!DeterminePacketSizes()) {
            return false;
        }
        TraceMessage(kCompileIntoPackets);
        if (!BuildPacket()) {
            TraceMessage(kCompilationFailed);
            byteCode_.length = 0;
            return false;
        }
        TraceMessage(kEnd);
        return true;
    }

private:
    bool Fail(CommandStatus_t status)
    {
        if (status_ != nullptr) {
            *status_ = status;
        }
        return false;
    }

    bool DeterminePacketSizes()
    {
        if (definition_.HasVariableLengthData()) {
            TraceMessage(kComputingSizes);
            if (!LayOutForCommand()) {
                return false;
            }
        } else {
            TraceMessage(kPrecomputedSizes);
            sizes_ = definition_.Sizes();
            totalSize_ = isSend_ ? sizes_.sendSize : sizes_.requestSize;
        }
        if (totalSize_ >= 1 && totalSize_ <= kMaxPacketTotalSize) {
            return true;
        }
        TraceMessage(kTotalSizeError);
        if (totalSize_ == kLayoutTooLarge) {
            TraceMessage(kMaximumSize, kMaxPacketTotalSize, kExceeded);
        }
        return Fail(TarnLink::kTLPacketSizeError);
    }

    // The sizes of a definition with a byte stream depend on the command.
    bool LayOutForCommand()
    {
        const ParameterDefinition* variable = FindVariableLengthParameter(definition_);
        const bool carriesStream = variable != nullptr && NeedsParameter(*variable);
        // A request that does not carry the stream has the sizes laid out at load.
        const PacketSizes* withoutStream = SizesWithEmptyByteStream(definition_);
        if (!carriesStream && withoutStream != nullptr) {
            sizes_ = *withoutStream;
            totalSize_ = sizes_.requestSize;
            return true;
        }
        LayoutRequest request;
        request.isSend = isSend_;
        if (carriesStream) {
            // A symbol cannot stand for a byte stream; refused before the
            // layout asks for the stream's length.
            ParameterValue* stream = ValueOf(definition_.Parameters().size() - 1);
            if (IsSymbol(stream)) {
                ConvertSymbolicConstant(stream, definition_, *variable);
                return Fail(TarnLink::kTLInvalidSymbolicConstant);
            }
            request.byteStreamLength = StoredByteStreamLength(stream);
        }
        byteStreamLength_ = request.byteStreamLength;
        totalSize_ = ComputePacketSizes(definition_, &request, sizes_);
        return true;
    }

    bool NeedsParameter(const ParameterDefinition& parameter) const
    {
        return isSend_ || parameter.requiredForRequestData;
    }

    // The command's value of parameter index of the definition; null when
    // unset. A command laid out for the definition has it in slot index.
    ParameterValue* ValueOf(std::size_t index)
    {
        if (laidOut_) {
            ParameterValue& slot = command_.SlotValue(index);
            return slot.IsSet() ? &slot : nullptr;
        }
        const std::string& name = definition_.Parameters()[index].name;
        return command_.Find(name.data(), name.size());
    }

    bool BuildPacket()
    {
        TraceMessage(kCompilingPacket);
        packet_ = byteCode_.Reserve(static_cast<std::size_t>(totalSize_));
        if (packet_ == nullptr) {
            return Fail(TarnLink::kTLFail);
        }
        const std::int32_t payload = isSend_ ? sizes_.sendPayloadSize : sizes_.requestPayloadSize;
        if (!WriteHeader(payload)) {
            return false;
        }
        TraceMessage(kCompilingParameters);
        written_ = totalSize_ - payload;
        const ParameterDefinitions& parameters = definition_.Parameters();
        for (std::size_t index = 0; index < parameters.size(); ++index) {
            if (!NeedsParameter(parameters[index])) {
                break; // request-data parameters lead the definition
            }
            if (!WriteParameter(parameters[index], index)) {
                return false;
            }
        }
        // Parameters lie one after the other from the header on, so only the
        // bytes after the last one written are still to be zeroed.
        if (written_ < totalSize_) {
            std::fill(packet_ + written_, packet_ + totalSize_, static_cast<unsigned char>(0));
        }
        byteCode_.length = static_cast<std::size_t>(totalSize_);
        TraceMessage(kFinishedPacket);
        return true;
    }

    bool WriteHeader(std::int32_t payload)
    {
        if (definition_.IsDiagCommandFormat()) {
            TraceMessage(kWritingDiagMagic);
            TraceMessage(kWritingDiagOpcode);
        } else {
            TraceMessage(kWritingTarnHeader);
        }
        if (!definition_.WritePacketHeader(isSend_, payload, packet_)) {
            TraceMessage(kTarnHeaderError);
            return Fail(TarnLink::kTLInvalidCommandHeader);
        }
        return true;
    }

    bool WriteParameter(const ParameterDefinition& parameter, std::size_t index)
    {
        ParameterValue* stored = ValueOf(index);
        if (IsSymbol(stored) && !ConvertSymbolicConstant(stored, definition_, parameter)) {
            return Fail(TarnLink::kTLInvalidSymbolicConstant);
        }
        const std::int64_t size =
            parameter.type == ParamType::kBytes ? byteStreamLength_ : parameter.bytesForPacketPosition;
        const std::int64_t offset = parameter.packetOffset;
        const bool fitsPacket = offset >= 0 && size >= 0 && offset + size <= totalSize_;
        if (!fitsPacket ||
            !EncodeParameter(parameter, stored, static_cast<std::int32_t>(size), packet_ + offset, trace_)) {
            return Fail(TarnLink::kTLCompileMissingParameterData);
        }
        written_ = offset + size;
        return true;
    }

    CommandState& command_;
    ByteCodeState& byteCode_;
    const TarnDataCommandFormat& definition_;
    CommandStatus_t* status_;
    const bool isSend_;
    const bool laidOut_;
    const bool trace_;
    PacketSizes sizes_;
    std::int32_t totalSize_ = -1;
    std::int64_t byteStreamLength_ = -1;
    unsigned char* packet_ = nullptr;
    std::int64_t written_ = 0; // end of the bytes of the packet written so far
};

bool CompileInFull(CommandState& command, const TarnDataCommandFormat& definition, ByteCodeState& packet,
                   CommandStatus_t* status, bool trace)
{
    if (trace) {
        Diagnostics() << kConstructing << command.name;
        definition.Dump(Diagnostics(), false);
        Diagnostics() << kLineFeed;
    }
    Compilation compilation(command, packet, definition, status, trace);
    return compilation.Run();
}
} // namespace

void ReportNoDefinitionToCompile(const char* commandName) { VerboseMessage(kFormatNotFound, commandName); }

bool CompileWithChecks(const CommandState& command, ByteCodeState& packet, std::uint32_t* timeoutMillisec,
                       CommandStatus_t* status)
{
    const CommandFormat* definition = command.Definition();
    if (!PassesEntryChecks(definition, command.name.c_str(), EntryTexts{kNotInitialized, kMetaCommand})) {
        return false;
    }
    packet.length = 0; // empty until a packet is complete
    if (definition == nullptr) {
        ReportNoDefinitionToCompile(command.name.c_str());
        if (status != nullptr) {
            *status = TarnLink::kTLCommandFormatNotFound;
        }
        return false;
    }
    // Every kind but Meta, refused above, carries parameter data.
    const auto& data = static_cast<const TarnDataCommandFormat&>(*definition);
    if (timeoutMillisec != nullptr) {
        *timeoutMillisec = data.GetOverrideTimeoutMillisec();
    }
    return CompileInFull(const_cast<CommandState&>(command), data, packet, status, IsCompileTrace());
}

} // namespace TarnLinkPrivate
