#include "runtime/meta_processor.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <memory>
#include <ostream>
#include <vector>

#include "command/byte_code_state.h"
#include "command/command_codec.h"
#include "command/compiler.h"
#include "command/full_compilation.h"
#include "command/parameter_codec.h"
#include "dictionary/command_format.h"
#include "dictionary/command_registry.h"
#include "diagnostics/diagnostics.h"
#include "runtime/exchange_lease.h"
#include "runtime/executor.h"
#include "runtime/meta_data_chunks.h"
#include "wire/wire_format.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kConstructing[] = "\n\nConstructing MetaCommandByteCodeProcessor Compiler - Command : ";
constexpr char kStartCompileFailed[] = "\nMetaCommand ERROR - StartCommand packet compilation failed";
constexpr char kRepeatPacketsFailed[] = "\nMetaCommand ERROR - Repeat packet compilation failed";
constexpr char kStopCompileFailed[] = "\nMetaCommand ERROR - StopCommand packet compilation failed";
constexpr char kStartExecutionFailed[] = "\nMetaCommand ERROR - StartCommand packet execution failed";
constexpr char kNoTotalSize[] = "\nMetaCommand ERROR - StartCommand packet could not get total data size";
constexpr char kRepeatExecutionFailed[] = "\nMetaCommand ERROR - RepeatCommand packet execution failed";
constexpr char kStopExecutionFailed[] = "\nMetaCommand ERROR - StopCommand packet execution failed";
constexpr char kExtractionSizeError[] = "\nMetaCommand ERROR - DataRequest parameter extraction - param size error";

constexpr char kTotalSizeParam[] = "TotalSize";
constexpr char kDataParam[] = "Data";

constexpr auto kChunkCapacity = static_cast<std::size_t>(kTarnPayloadLimit);

using TarnLink::CommandStatus_t;
using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;

struct Packet {
    // The sub-command whose packet this is; its name accompanies the packet
    // to the conduit, as on the ordinary path, where the name sent is that of
    // the command compiled.
    TarnCommand* command;
    ExchangeLease exchange;
    TarnCommandByteCode& request;
    TarnCommandByteCode& response;

    explicit Packet(TarnCommand& compiled)
        : command(&compiled), request(exchange.Request()), response(exchange.Response())
    {
    }
};

// Payload bytes that a response really carries: its length field, but never
// more than the bytes behind its header; 0 when it carries none.
std::int64_t ReceivedPayloadLength(const TarnCommandByteCode& response)
{
    const ByteCodeState& packet = StateOf(response);
    if (packet.length < static_cast<std::size_t>(kTarnHeaderLength) || !HasTransportMark(packet.buffer.get())) {
        return 0;
    }
    return std::max<std::int64_t>(0, ResponsePayloadAvailable(packet.buffer.get(), packet.length));
}

// Decodes through the inline decompilation: it runs for every packet of a
// sequence.
bool DecodesToSuccess(TarnCommand& command, const TarnCommandByteCode& response)
{
    CommandState& state = StateOf(command);
    return DecompileCommand(state, StateOf(response), nullptr, false) && state.status == TarnLink::kTLSuccess;
}

class MetaCommandProcessor {
public:
    explicit MetaCommandProcessor(TarnCommand& command);
    MetaCommandProcessor(const MetaCommandProcessor&) = delete;
    MetaCommandProcessor& operator=(const MetaCommandProcessor&) = delete;

    bool Prepare();
    bool Send();
    void MergeStatusesIntoCommand();

private:
    bool CompileIntoNewPacket(TarnCommand& subCommand, const char* failureTrace = nullptr);
    bool Transmit(Packet& packet);

    bool CompileSendSequence();
    bool CompileRepeatPackets();
    bool CompileRepeat(std::size_t length, TarnCommandByteCode& request);
    bool CompileRequestStart();

    bool SendSendSequence();
    bool TransmitDecoded(Packet& packet);
    bool StreamRemainingRepeats(Packet& reused);
    unsigned char* InPlaceData(Packet& packet);
    bool SendRequestSequence();
    bool RequestRepeatsUntil(std::uint32_t totalSize);
    bool CollectRequestedData(std::uint32_t totalSize);
    bool DecodeCollectedData(const std::vector<unsigned char>& data);

    TarnCommand& command_;
    const MetaCommandFormat* definition_ = nullptr;
    TarnCommand result_;
    TarnCommand start_;
    TarnCommand repeat_;
    TarnCommand stop_;
    std::array<unsigned char, kChunkCapacity> chunk_{};
    std::size_t repeatPacketCount_ = 0;
    std::deque<Packet> packets_;
    // The send data. Without the compile trace only the first repeat packet
    // is made before sending, the data checked whole; the others are made
    // one after the other into the same packet while the sequence runs.
    std::unique_ptr<MetaDataChunks> chunks_;
    std::size_t firstChunkLength_ = 0;
};

MetaCommandProcessor::MetaCommandProcessor(TarnCommand& command) : command_(command)
{
    const char* name = command.GetCommandName();
    const CommandFormat* format = FindCommandFormat(name);
    if (format == nullptr) {
        ReportNoDefinitionToCompile(name);
        return;
    }
    if (!format->IsMetaCommandFormat()) {
        return;
    }
    definition_ = static_cast<const MetaCommandFormat*>(format);
    chunks_ = std::make_unique<MetaDataChunks>(*definition_, command_);
    TraceMessage(kConstructing, name, "\n");
}

bool MetaCommandProcessor::Prepare()
{
    if (definition_ == nullptr) {
        return false;
    }
    start_.SetCommandName(definition_->StartCommand().c_str());
    repeat_.SetCommandName(definition_->RepeatCommand().c_str());
    stop_.SetCommandName(definition_->StopCommand().c_str());
    if (command_.IsSendCommand()) {
        for (TarnCommand* subCommand : {&start_, &repeat_, &stop_}) {
            subCommand->SetupSendCommand();
        }
        return CompileSendSequence();
    }
    for (TarnCommand* subCommand : {&start_, &repeat_, &stop_}) {
        subCommand->SetupRequestDataCommand();
    }
    return CompileRequestStart();
}

bool MetaCommandProcessor::CompileIntoNewPacket(TarnCommand& subCommand, const char* failureTrace)
{
    packets_.emplace_back(subCommand);
    if (CompileTarnByteCode(subCommand, packets_.back().request, nullptr, nullptr)) {
        return true;
    }
    if (failureTrace != nullptr) {
        TraceMessage(failureTrace);
    }
    return false;
}

bool MetaCommandProcessor::Transmit(Packet& packet)
{
    return Execute(StateOf(*packet.command).name.c_str(), packet.request, &packet.response, 0);
}

bool MetaCommandProcessor::CompileSendSequence()
{
    start_.ClearParameters();
    start_.SetParamUInt32(kTotalSizeParam, TotalParameterDataSize(command_, *definition_));
    if (!CompileIntoNewPacket(start_, kStartCompileFailed)) {
        return false;
    }
    if (!CompileRepeatPackets()) {
        TraceMessage(kRepeatPacketsFailed);
        return false;
    }
    stop_.ClearParameters();
    return CompileIntoNewPacket(stop_, kStopCompileFailed);
}

// Packs the data parameters into chunks of one repeat packet each. A chunk is
// sent only when more data must follow it or the data ends, so data that ends
// exactly on a chunk boundary is not followed by an empty repeat packet. With
// the compile trace every packet is made here, in the order the trace shows;
// otherwise the first, and the data is checked so that the others, made while
// sending, cannot fail: no packet leaves for a sequence that cannot be sent
// whole.
bool MetaCommandProcessor::CompileRepeatPackets()
{
    const bool streaming = !IsCompileTrace();
    if (streaming && !chunks_->CheckAll()) {
        return false;
    }
    for (;;) {
        const std::size_t length = chunks_->Next(chunk_.data(), chunk_.size());
        if (chunks_->Failed()) {
            return false;
        }
        if (length == 0) {
            return true;
        }
        packets_.emplace_back(repeat_);
        if (!CompileRepeat(length, packets_.back().request)) {
            TraceMessage(kRepeatCompileFailed);
            return false;
        }
        if (streaming) {
            firstChunkLength_ = length;
            return true;
        }
    }
}

// The repeat packet of the chunk's first length bytes.
bool MetaCommandProcessor::CompileRepeat(std::size_t length, TarnCommandByteCode& request)
{
    repeat_.ClearParameters();
    repeat_.SetParamByteStream(kDataParam, reinterpret_cast<const char*>(chunk_.data()), length);
    ++repeatPacketCount_;
    return CompileTarnByteCode(repeat_, request, nullptr, nullptr);
}

bool MetaCommandProcessor::CompileRequestStart()
{
    start_.ClearParameters();
    return CompileIntoNewPacket(start_, kStartCompileFailed);
}

bool MetaCommandProcessor::Send() { return command_.IsSendCommand() ? SendSendSequence() : SendRequestSequence(); }

bool MetaCommandProcessor::TransmitDecoded(Packet& packet)
{
    return Transmit(packet) && DecodesToSuccess(*packet.command, packet.response);
}

// The start packet, the repeat packets made so far, the repeat packets still
// to come, and the stop packet.
bool MetaCommandProcessor::SendSendSequence()
{
    if (packets_.size() < 2) {
        return false;
    }
    const auto stop = packets_.end() - 1;
    for (auto packet = packets_.begin(); packet != stop; ++packet) {
        if (!TransmitDecoded(*packet)) {
            return false;
        }
    }
    if (chunks_->Remaining() > 0 && !StreamRemainingRepeats(*(stop - 1))) {
        return false;
    }
    return TransmitDecoded(*stop);
}

// Makes each further repeat packet in the packet of the last one. A chunk as
// long as the first differs from it in its data alone, which is written over
// the old data in place.
bool MetaCommandProcessor::StreamRemainingRepeats(Packet& reused)
{
    unsigned char* const inPlaceData = InPlaceData(reused);
    while (chunks_->Remaining() > 0) {
        if (inPlaceData == nullptr || chunks_->Remaining() < firstChunkLength_) {
            const std::size_t length = chunks_->Next(chunk_.data(), chunk_.size());
            if (!CompileRepeat(length, reused.request)) {
                return false;
            }
        } else {
            chunks_->Next(inPlaceData, firstChunkLength_);
            ++repeatPacketCount_;
        }
        reused.response.Clear();
        if (!TransmitDecoded(reused)) {
            return false;
        }
    }
    return true;
}

// Where the data of the first chunk, which chunk_ still holds, ends the
// packet: the data of a chunk of the same length goes there. Null when the
// packet does not end with it.
unsigned char* MetaCommandProcessor::InPlaceData(Packet& packet)
{
    ByteCodeState& request = StateOf(packet.request);
    if (request.buffer == nullptr || request.length < firstChunkLength_) {
        return nullptr;
    }
    unsigned char* data = request.buffer.get() + (request.length - firstChunkLength_);
    return std::memcmp(data, chunk_.data(), firstChunkLength_) == 0 ? data : nullptr;
}

bool MetaCommandProcessor::SendRequestSequence()
{
    result_.ClearParameters();
    result_.SetStatus(TarnLink::kTLFail);
    Packet& startPacket = packets_.back();
    if (!Transmit(startPacket)) {
        TraceMessage(kStartExecutionFailed);
        return false;
    }
    if (!DecodesToSuccess(start_, startPacket.response)) {
        return false;
    }
    std::uint32_t totalSize = 0;
    if (!start_.GetParamUInt32(kTotalSizeParam, totalSize)) {
        TraceMessage(kNoTotalSize);
        return false;
    }
    if (!RequestRepeatsUntil(totalSize)) {
        return false;
    }
    stop_.ClearParameters();
    if (!CompileIntoNewPacket(stop_, kStopCompileFailed)) {
        return false;
    }
    if (!Transmit(packets_.back())) {
        TraceMessage(kStopExecutionFailed);
        return false;
    }
    return DecodesToSuccess(stop_, packets_.back().response) && CollectRequestedData(totalSize);
}

// Asks for data until the announced total has arrived or an answer brings
// none: a device that stops early still gets its stop packet.
bool MetaCommandProcessor::RequestRepeatsUntil(std::uint32_t totalSize)
{
    std::uint64_t received = 0;
    do {
        repeat_.ClearParameters();
        if (!CompileIntoNewPacket(repeat_)) {
            return false;
        }
        ++repeatPacketCount_;
        if (!Transmit(packets_.back())) {
            TraceMessage(kRepeatExecutionFailed);
            return false;
        }
        const std::int64_t payload = ReceivedPayloadLength(packets_.back().response);
        if (payload < 1) {
            break;
        }
        received += static_cast<std::uint64_t>(payload);
    } while (received < totalSize);
    return true;
}

// Gathers the repeat answers' payloads. The buffer grows with what really
// arrived, whatever size the device announced; fewer or more bytes than the
// announced total fail rather than hand the host invented data.
bool MetaCommandProcessor::CollectRequestedData(std::uint32_t totalSize)
{
    if (totalSize == 0) {
        return false;
    }
    std::vector<unsigned char> data;
    const auto firstRepeat = packets_.begin() + 1;
    const auto stopPacket = packets_.end() - 1;
    for (auto packet = firstRepeat; packet != stopPacket && data.size() < totalSize; ++packet) {
        if (!DecodesToSuccess(repeat_, packet->response)) {
            return false;
        }
        const std::int64_t payload = ReceivedPayloadLength(packet->response);
        unsigned char* bytes = nullptr;
        if (payload < 1 || payload > static_cast<std::int64_t>(totalSize - data.size()) ||
            !packet->response.GetPointerToStartOfDataPayload(&bytes)) {
            return false;
        }
        data.insert(data.end(), bytes, bytes + payload);
    }
    return data.size() == totalSize && DecodeCollectedData(data);
}

bool MetaCommandProcessor::DecodeCollectedData(const std::vector<unsigned char>& data)
{
    result_ = command_;
    std::size_t position = 0;
    for (const ParameterDefinition& parameter : definition_->Parameters()) {
        if (position == data.size()) {
            break;
        }
        if (parameter.type != ParamType::kBytes && FixedSizeOf(parameter.type) == 0) {
            TraceMessage(kExtractionSizeError);
            return false;
        }
        const std::int32_t consumed = DecodeParameter(parameter, data.data() + position,
                                                      static_cast<std::int64_t>(data.size() - position), result_);
        // A fixed-size parameter that finds too few bytes would otherwise
        // keep the host's old value while the rest shifts onto wrong fields.
        if (consumed < 1) {
            return false;
        }
        position += static_cast<std::size_t>(consumed);
    }
    result_.SetStatus(TarnLink::kTLSuccess);
    return true;
}

void MetaCommandProcessor::MergeStatusesIntoCommand()
{
    // A sequence without repeat packets has no repeat status to weigh.
    const CommandStatus_t repeatStatus = repeatPacketCount_ == 0 ? TarnLink::kTLSuccess : repeat_.GetStatus();
    const CommandStatus_t merged = MergeSubCommandStatuses(start_.GetStatus(), repeatStatus, stop_.GetStatus());
    if (merged == TarnLink::kTLSuccess && command_.IsRequestDataCommand()) {
        command_ = result_;
        return;
    }
    command_.SetStatus(merged);
}

} // namespace

CommandStatus_t MergeSubCommandStatuses(CommandStatus_t start, CommandStatus_t repeat, CommandStatus_t stop)
{
    const CommandStatus_t statuses[] = {start, repeat, stop};
    const auto any = [&statuses](CommandStatus_t wanted) {
        return std::find(std::begin(statuses), std::end(statuses), wanted) != std::end(statuses);
    };
    if (start == TarnLink::kTLSuccess && repeat == TarnLink::kTLSuccess && stop == TarnLink::kTLSuccess) {
        return TarnLink::kTLSuccess;
    }
    for (CommandStatus_t telling : {TarnLink::kTLNotSupported, TarnLink::kTLTransmitFailure, TarnLink::kTLTimeOut}) {
        if (any(telling)) {
            return telling;
        }
    }
    return TarnLink::kTLFail;
}

bool ExecuteMetaCommand(TarnCommand& command)
{
    MetaCommandProcessor processor(command);
    if (!processor.Prepare() || !processor.Send()) {
        command.SetStatus(TarnLink::kTLFail);
        return false;
    }
    processor.MergeStatusesIntoCommand();
    return command.GetStatus() == TarnLink::kTLSuccess;
}

} // namespace TarnLinkPrivate
