// The whole decompilation of a response into the command's status and
// parameters, with its messages: every response the planned path of the
// decompiler leaves to it.

#include "command/full_decompilation.h"

#include <ostream>

#include "command/byte_code_state.h"
#include "command/command_state.h"
#include "command/entry_check.h"
#include "command/parameter_codec.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/command_registry.h"
#include "wire/big_endian.h"
#include "wire/wire_format.h"

namespace TarnLinkPrivate {

using TarnLink::CommandStatus_t;

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
    Decompilation(CommandState& command, const CommandFormat* definition, CommandStatus_t* status)
        : command_(command), definition_(definition), status_(status)
    {
    }

    bool Run(const ByteCodeState& response, bool lenient)
    {
        command_.status = TarnLink::kTLFail;
        const bool isDiag = IsDiagCommandFormat(definition_, command_.name.c_str());
        const unsigned char* packet = response.buffer.get();
        const std::size_t length = response.length;
        if (length < static_cast<std::size_t>(kTarnHeaderLength)) {
            TraceMessage(kNoPacket);
            return Fail(TarnLink::kTLPacketSizeError);
        }
        ResponseData data;
        if (!(isDiag ? ReadDiagHeader(packet, length, data) : ReadTarnHeader(packet, length, data))) {
            return false;
        }
        command_.status = data.status;
        if (data.status != TarnLink::kTLSuccess) {
            return true; // the command carries the hardware's verdict
        }
        if (command_.isSend && !lenient) {
            if (length > static_cast<std::size_t>(kTarnHeaderLength)) {
                TraceMessage(kLongSendResponse);
            }
            return true;
        }
        command_.ClearParameters();
        if (definition_ == nullptr) {
            TraceMessage(kFormatNotFound, command_.name);
            return Fail(TarnLink::kTLCommandFormatNotFound);
        }
        if (ReadParameters(data) || lenient) {
            return true;
        }
        TraceMessage(kParametersFailed, command_.name);
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
        const std::int64_t available = ResponsePayloadAvailable(packet, length);
        if (!marked || available < 0) {
            TraceMessage(kBadTransportHeader);
            return Fail(TarnLink::kTLInvalidTransportHeader);
        }
        data.start = packet + kTarnHeaderLength;
        data.available = available;
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
        // Cleared just before, so a command of another dictionary may be laid
        // out afresh for this one and then take every value by slot.
        command_.Refresh();
        const bool laidOut = command_.IsLaidOutFor(*definition_);
        const bool direct = laidOut && !IsCompileTrace();
        const unsigned char* next = data.start;
        std::int64_t remaining = data.available;
        const ParameterDefinitions& parameters = definition_->Parameters();
        for (std::size_t index = 0; index < parameters.size(); ++index) {
            const ParameterDefinition& parameter = parameters[index];
            const bool variable = parameter.type == ParamType::kBytes;
            if (remaining == 0 && !variable) {
                return false;
            }
            if (direct && !variable && parameter.size > 0) {
                // An integer straight into its slot: nothing to trace.
                if (remaining < parameter.size) {
                    return false;
                }
                const auto width = static_cast<std::size_t>(parameter.size);
                command_.AssignSlot(index).SetRawInteger(parameter.type, ReadBigEndianInteger(next, width));
                next += width;
                remaining -= parameter.size;
                continue;
            }
            ParameterValue& value =
                laidOut ? command_.AssignSlot(index) : command_.Assign(parameter.name.data(), parameter.name.size());
            const std::int32_t consumed = DecodeParameter(parameter, next, remaining, value);
            if (consumed == 0 && !variable) {
                return false;
            }
            next += consumed;
            remaining -= consumed;
        }
        return true;
    }

    CommandState& command_;
    const CommandFormat* definition_;
    CommandStatus_t* status_;
};

} // namespace

bool DecompileWithChecks(CommandState& command, const ByteCodeState& response, CommandStatus_t* status, bool lenient)
{
    const CommandFormat* definition = command.Definition();
    if (!PassesEntryChecks(definition, command.name.c_str(), EntryTexts{kNotInitialized, kMetaCommand})) {
        return false;
    }
    Decompilation decompilation(command, definition, status);
    return decompilation.Run(response, lenient);
}

} // namespace TarnLinkPrivate
