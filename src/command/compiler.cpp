// Compiling a command into the one packet of its byte-code.

#include "command/compiler.h"

#include <algorithm>
#include <ostream>
#include <string>

#include "command/command_body_access.h"
#include "command/entry_check.h"
#include "wire/wire_format.h"
#include "command/parameter_codec.h"
#include "command/symbolic_constant.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/packet_layout.h"

namespace TarnLinkPrivate {

using TarnLink::CommandStatus_t;
using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;
using TarnLink::VariantImpl::Variant;

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

bool IsSymbol(const Variant* stored) { return TarnLink::VariantImpl::variant_cast<std::string>(stored) != nullptr; }

// One call of CompileTarnByteCode. The packet is assembled in the byte-code's
// own buffer, which the byte-code keeps from one packet to the next, and
// counts as its content only once complete; the shared definition is only
// read, so compilations may run on several threads.
class Compilation {
public:
    Compilation(TarnCommand& command, TarnCommandByteCode& byteCode, const TarnDataCommandFormat& definition,
                CommandStatus_t* status, bool trace)
        : command_(command), byteCode_(TarnLink::CommandBodyAccess::Of(byteCode)), definition_(definition),
          status_(status), isSend_(TarnLink::CommandBodyAccess::Of(command).isSend), trace_(trace)
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
            const Variant* stream = StoredValue(*variable, command_);
            if (IsSymbol(stream)) {
                ConvertSymbolicConstant(command_, definition_, *variable);
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
        for (const ParameterDefinition& parameter : definition_.Parameters()) {
            if (!NeedsParameter(parameter)) {
                break; // request-data parameters lead the definition
            }
            if (!WriteParameter(parameter)) {
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
            WriteDiagPacketHeader(static_cast<const DiagCommandFormat&>(definition_).Opcode(), payload, packet_);
            return true;
        }
        TraceMessage(kWritingTarnHeader);
        const auto& tarn = static_cast<const TarnCommandFormat&>(definition_);
        const TarnCommandHeader header{tarn.Major(), tarn.Minor(), tarn.Function(), !isSend_};
        if (!WriteTarnPacketHeader(header, payload, packet_)) {
            TraceMessage(kTarnHeaderError);
            return Fail(TarnLink::kTLInvalidCommandHeader);
        }
        return true;
    }

    bool WriteParameter(const ParameterDefinition& parameter)
    {
        const Variant* stored = StoredValue(parameter, command_);
        if (IsSymbol(stored)) {
            if (!ConvertSymbolicConstant(command_, definition_, parameter)) {
                return Fail(TarnLink::kTLInvalidSymbolicConstant);
            }
            stored = StoredValue(parameter, command_); // now the symbol's number
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

    TarnCommand& command_;
    TarnCommandByteCode::Body& byteCode_;
    const TarnDataCommandFormat& definition_;
    CommandStatus_t* status_;
    const bool isSend_;
    const bool trace_;
    PacketSizes sizes_;
    std::int32_t totalSize_ = -1;
    std::int64_t byteStreamLength_ = -1;
    unsigned char* packet_ = nullptr;
    std::int64_t written_ = 0; // end of the bytes of the packet written so far
};
} // namespace

bool CompileTarnByteCode(const TarnCommand& command, TarnCommandByteCode& byteCode, std::uint32_t* timeoutMillisec,
                         CommandStatus_t* status)
{
    if (timeoutMillisec != nullptr) {
        *timeoutMillisec = 0;
    }
    if (status != nullptr) {
        *status = TarnLink::kTLSuccess;
    }
    const EntryCheck entry = CheckEntry(command, EntryTexts{kNotInitialized, kMetaCommand});
    if (!entry.proceed) {
        return false;
    }
    TarnLink::CommandBodyAccess::Of(byteCode).length = 0; // empty until a packet is complete
    if (entry.definition == nullptr) {
        VerboseMessage(kFormatNotFound, command.GetCommandName());
        if (status != nullptr) {
            *status = TarnLink::kTLCommandFormatNotFound;
        }
        return false;
    }
    // Every kind but Meta, refused above, carries parameter data.
    const auto* definition = static_cast<const TarnDataCommandFormat*>(entry.definition);
    const bool trace = IsCompileTrace();
    if (trace) {
        Diagnostics() << kConstructing << command.GetCommandName();
        definition->Dump(Diagnostics(), false);
        Diagnostics() << kLineFeed;
    }
    if (timeoutMillisec != nullptr) {
        *timeoutMillisec = definition->GetOverrideTimeoutMillisec();
    }
    // Symbolic constants are resolved in the host's own command: after
    // compiling, such a parameter holds its number. Hosts make their commands
    // as ordinary (non-const) objects, so writing through the const reference
    // of the interface is sound.
    Compilation compilation(const_cast<TarnCommand&>(command), byteCode, *definition, status, trace);
    return compilation.Run();
}

} // namespace TarnLinkPrivate
