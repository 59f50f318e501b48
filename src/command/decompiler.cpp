// Decoding a response packet into the command's status and parameters.

#include <algorithm>
#include <ostream>

#include "command/command_body_access.h"
#include "command/compiler.h"
#include "command/entry_check.h"
#include "wire/wire_format.h"
#include "command/parameter_codec.h"
#include "dictionary/command_registry.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/packet_layout.h"

namespace TarnLinkPrivate {

using TarnLink::CommandStatus_t;
using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;

namespace {
constexpr char kNotInitialized[] = "\n<-> ERROR Attempted to Decompile bytecode - TarnLink NOT INITIALIZED!\n";
constexpr char kMetaCommand[] =
    "\n<-> ERROR Attempted to Decompile a MetaCommand - MetaCommands can only be Execute(d)!\n";
constexpr char kNoPacket[] = "\nERROR - Bytecode Decompile could not set up packetNum: 0";
constexpr char kNoDiagOpcode[] = "\nERROR - Bytecode Decompile could not decompile Diag opcode - packetNum: 0";
constexpr char kNotMarked[] = "\nERROR - Transport header for packet not marked with BOB Command ID";
constexpr char kBadTransportHeader[] = "\nERROR - Bytecode Decompile could not decode transport header - packetNum: 0";
constexpr char kLongSendResponse[] =
    "\nWARNING - Response packet for a Send Command was longer than 2 byte standard - extra data ignored";
constexpr char kFormatNotFound[] = "\nERROR - Could not find TarnCommandFormat - Command: ";
constexpr char kParametersFailed[] = "\nERROR - Decompiling parameters failed - Command: ";

// Where the parameter data of a response lies and what it says of the command.
struct ResponseData {
    const unsigned char* start = nullptr;
    std::int64_t available = 0; // never beyond the bytes the response holds
    CommandStatus_t status = TarnLink::kTLFail;
};

class Decompilation {
public:
    Decompilation(TarnCommand& command, const CommandFormat* definition, CommandStatus_t* status)
        : command_(command), body_(TarnLink::CommandBodyAccess::Of(command)), definition_(definition), status_(status)
    {
    }

    bool Run(const TarnCommandByteCode& response, bool lenient)
    {
        body_.status = TarnLink::kTLFail;
        const bool isDiag = IsDiagCommandFormat(definition_, command_.GetCommandName());
        const TarnCommandByteCode::Body& packetBody = TarnLink::CommandBodyAccess::Of(response);
        const unsigned char* packet = packetBody.buffer.get();
        const std::size_t length = packetBody.length;
        if (length < static_cast<std::size_t>(kTarnHeaderLength)) {
            TraceMessage(kNoPacket);
            return Fail(TarnLink::kTLPacketSizeError);
        }
        ResponseData data;
        if (!(isDiag ? ReadDiagHeader(packet, length, data) : ReadTarnHeader(packet, length, data))) {
            return false;
        }
        body_.status = data.status;
        if (data.status != TarnLink::kTLSuccess) {
            return true; // the command carries the hardware's verdict
        }
        if (body_.isSend && !lenient) {
            if (length > static_cast<std::size_t>(kTarnHeaderLength)) {
                TraceMessage(kLongSendResponse);
            }
            return true;
        }
        command_.ClearParameters();
        if (definition_ == nullptr) {
            TraceMessage(kFormatNotFound, command_.GetCommandName());
            return Fail(TarnLink::kTLCommandFormatNotFound);
        }
        if (ReadParameters(data) || lenient) {
            return true;
        }
        TraceMessage(kParametersFailed, command_.GetCommandName());
        return Fail(TarnLink::kTLDecompileMissingParameterData);
    }

private:
    bool Fail(CommandStatus_t status)
    {
        if (status_ != nullptr) {
            *status_ = status;
        }
        return false;
    }

    // A Diag response has no status byte and its payload length field is not
    // trusted: the parameters may use whatever follows the header.
    bool ReadDiagHeader(const unsigned char* packet, std::size_t length, ResponseData& data)
    {
        if (length < static_cast<std::size_t>(kDiagHeaderLength)) {
            TraceMessage(kNoDiagOpcode);
            return Fail(TarnLink::kTLInvalidOpcode);
        }
        data.start = packet + kDiagHeaderLength;
        data.available = static_cast<std::int64_t>(length) - kDiagHeaderLength;
        data.status = TarnLink::kTLSuccess;
        return true;
    }

    // The length field may promise more than the response holds; only the
    // bytes really there are read.
    bool ReadTarnHeader(const unsigned char* packet, std::size_t length, ResponseData& data)
    {
        const bool marked = HasTransportMark(packet);
        if (!marked) {
            TraceMessage(kNotMarked);
        }
        const std::int32_t lengthField = TransportLengthField(packet);
        if (!marked || lengthField < kTransportLengthBias) {
            TraceMessage(kBadTransportHeader);
            return Fail(TarnLink::kTLInvalidTransportHeader);
        }
        data.start = packet + kTarnHeaderLength;
        data.available = std::min<std::int64_t>(lengthField - kTransportLengthBias,
                                                static_cast<std::int64_t>(length) - kTarnHeaderLength);
        data.status = StatusFromResponseByte(packet[kTarnStatusOffset]);
        return true;
    }

    bool ReadParameters(const ResponseData& data)
    {
        // Every kind but Meta carries parameter data; a kind test costs less
        // than a cast through the class hierarchy.
        if (definition_->IsMetaCommandFormat()) {
            return false;
        }
        const unsigned char* next = data.start;
        std::int64_t remaining = data.available;
        for (const ParameterDefinition& parameter : definition_->Parameters()) {
            const bool variable = parameter.type == ParamType::kBytes;
            if (remaining == 0 && !variable) {
                return false;
            }
            const std::int32_t consumed = DecodeParameter(parameter, next, remaining, command_);
            if (consumed == 0 && !variable) {
                return false;
            }
            next += consumed;
            remaining -= consumed;
        }
        return true;
    }

    TarnCommand& command_;
    TarnCommand::Body& body_;
    const CommandFormat* definition_;
    CommandStatus_t* status_;
};
} // namespace

bool DecompileTarnByteCode(TarnCommand& command, const TarnCommandByteCode& byteCode, CommandStatus_t* status,
                           bool lenient)
{
    if (status != nullptr) {
        *status = TarnLink::kTLSuccess;
    }
    const EntryCheck entry = CheckEntry(command, EntryTexts{kNotInitialized, kMetaCommand});
    if (!entry.proceed) {
        return false;
    }
    Decompilation decompilation(command, entry.definition, status);
    return decompilation.Run(byteCode, lenient);
}

} // namespace TarnLinkPrivate
