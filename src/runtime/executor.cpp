#include "runtime/executor.h"

#include <ostream>

#include "command/command_definition.h"
#include "command/command_codec.h"
#include "dictionary/command_registry.h"
#include "diagnostics/diagnostics.h"
#include "runtime/conduit_registry.h"
#include "runtime/exchange_lease.h"
#include "runtime/listener_registry.h"
#include "runtime/meta_processor.h"
#include "runtime/trace_log.h"
#include "wire/wire_format.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kTimedOutBegin[] = "\nTarn Command [";
constexpr char kTimedOutWait[] = "] timed out. Wait time [";
constexpr char kTimedOutEnd[] = "] 0 means default timeout";

using TarnLink::CommandStatus_t;
using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;
using TarnLink::TarnConduit;

TarnConduit* TargetConduitOf(const TarnCommand& command, TarnConduit* currentConduit)
{
    const std::int32_t conduitId = StateOf(command).conduitId;
    return conduitId > 0 ? GetConduitFromID(conduitId) : currentConduit;
}

// Runs the compile listeners; false when one of them stopped the execution.
bool CompileListenersLetProceed(TarnCommand& command, bool& succeedIfStopped)
{
    bool proceed = true;
    // Indexing copes with a listener that executes further commands.
    const auto& listeners = CompileListeners();
    for (std::size_t i = 0; proceed && i < listeners.size(); ++i) {
        listeners[i]->CommandCompiled(command, proceed, succeedIfStopped);
    }
    return proceed;
}

bool TransmitListenersLetProceed(TarnCommand& command, TarnCommandByteCode& request, TarnCommandByteCode& response,
                                 bool& useResponse, TarnConduit* targetConduit)
{
    bool proceed = true;
    const auto& listeners = TransmitListeners();
    for (std::size_t i = 0; proceed && i < listeners.size(); ++i) {
        listeners[i]->AboutToTransmit(command, request, response, proceed, useResponse, targetConduit);
    }
    return proceed;
}

void NotifyExecutionListeners(TarnCommand& command)
{
    const auto& listeners = ExecutionListeners();
    for (std::size_t i = 0; i < listeners.size(); ++i) {
        listeners[i]->CommandExecuted(command);
    }
}

// Inline, as Conclude: every successful execution ends here.
inline bool NotifySuccess(TarnCommand& command, TarnConduit* targetConduit)
{
    targetConduit->CommandSucceeded(command);
    if (AnyListenerInstalled()) {
        NotifyExecutionListeners(command);
    }
    return true;
}

// Step after decoding (or after a listener stood in): notify on success,
// report a time-out otherwise. Inline: it ends every execution.
inline bool Conclude(TarnCommand& command, TarnConduit* targetConduit, std::uint32_t timeoutMillisec)
{
    const CommandStatus_t status = StateOf(command).status;
    if (status == TarnLink::kTLSuccess) {
        return NotifySuccess(command, targetConduit);
    }
    if (status == TarnLink::kTLTimeOut) {
        ErrorMessage(kTimedOutBegin, command.GetCommandName(), kTimedOutWait, timeoutMillisec, kTimedOutEnd);
    }
    return false;
}

inline bool DecodeAndConclude(TarnCommand& command, const TarnCommandByteCode& response, TarnConduit* targetConduit,
                              std::uint32_t timeoutMillisec)
{
    CommandStatus_t status = TarnLink::kTLSuccess;
    if (!DecompileCommand(StateOf(command), StateOf(response), &status, false)) {
        command.SetStatus(status);
        return false;
    }
    return Conclude(command, targetConduit, timeoutMillisec);
}

bool ExecuteDataCommand(TarnCommand& command, TarnConduit* targetConduit)
{
    WriteTraceEntry(command);

    // Borrowed, with their buffers, from this thread's pool.
    ExchangeLease exchange;
    TarnCommandByteCode& request = exchange.Request();
    TarnCommandByteCode& response = exchange.Response();
    std::uint32_t timeoutMillisec = 0;
    CommandStatus_t status = TarnLink::kTLSuccess;
    if (!CompileCommand(StateOf(command), StateOf(request), &timeoutMillisec, &status)) {
        command.SetStatus(status);
        return false;
    }

    // Listeners are read afresh at each step: the host's code run in between
    // (a listener, the conduit) may install or remove some.
    bool succeedIfStopped = true;
    if (AnyListenerInstalled() && !CompileListenersLetProceed(command, succeedIfStopped)) {
        command.SetStatus(succeedIfStopped ? TarnLink::kTLSuccess : TarnLink::kTLFail);
        return Conclude(command, targetConduit, timeoutMillisec);
    }

    // A listener that stops the transmission may hand in a response of its
    // own; otherwise the conduit transmits, given the name read afresh (a
    // listener may have renamed the command, which frees the text an earlier
    // pointer referred to). Both responses meet one decoding, inlined once.
    bool useResponse = true;
    if (AnyListenerInstalled() &&
        !TransmitListenersLetProceed(command, request, response, useResponse, targetConduit)) {
        if (!useResponse) {
            command.SetStatus(TarnLink::kTLSuccess);
            return true;
        }
    } else if (!targetConduit->Transmit(StateOf(command).name.c_str(), request, &response, timeoutMillisec)) {
        const CommandStatus_t transmitStatus = response.ExtractStatus();
        command.SetStatus(transmitStatus == TarnLink::kTLSuccess ? TarnLink::kTLTransmitFailure : transmitStatus);
        return false;
    }
    return DecodeAndConclude(command, response, targetConduit, timeoutMillisec);
}

bool IsSuccessResponse(const TarnCommandByteCode& response)
{
    const ByteCodeState& packet = StateOf(response);
    return IsMarkedSuccessPacket(packet.buffer.get(), packet.length);
}

bool TransmitForSuccess(TarnConduit& conduit, const char* commandName, const TarnCommandByteCode& request,
                        TarnCommandByteCode& response, std::uint32_t timeoutMillisec)
{
    return conduit.Transmit(commandName, request, &response, timeoutMillisec) && IsSuccessResponse(response);
}

} // namespace

bool Execute(TarnCommand& command)
{
    TarnConduit* currentConduit = GetConduit();
    if (currentConduit == nullptr) {
        return false;
    }
    StackBasedMutexCaller lock(currentConduit);

    TarnConduit* targetConduit = TargetConduitOf(command, currentConduit);
    if (targetConduit == nullptr) {
        return false;
    }
    // A command laid out for a Tarn definition, the usual one, needs no kind
    // check. Any other remembers its definition too, so the checks cost no
    // lookup; for an unknown name the registry's checks write their verbose
    // notes.
    const TarnDataCommandFormat* laidOut = StateOf(command).LaidOutDataDefinition();
    if (laidOut == nullptr || !laidOut->IsTarnCommandFormat()) {
        const char* name = StateOf(command).name.c_str();
        const CommandFormat* definition = DefinitionOf(command);
        if (IsMetaCommandFormat(definition, name)) {
            return ExecuteMetaCommand(command);
        }
        if (IsDiagCommandFormat(definition, name)) {
            command.SetStatus(TarnLink::kTLAttemptedToExecuteDiagCommand);
            return false;
        }
    }
    return ExecuteDataCommand(command, targetConduit);
}

bool Execute(const char* commandName, const TarnCommandByteCode& request, TarnCommandByteCode* response,
             std::uint32_t timeoutMillisec)
{
    TarnConduit* currentConduit = GetConduit();
    if (currentConduit == nullptr || commandName == nullptr) {
        return false;
    }
    StackBasedMutexCaller lock(currentConduit);
    if (response != nullptr) {
        return TransmitForSuccess(*currentConduit, commandName, request, *response, timeoutMillisec);
    }
    // The conduit always gets somewhere to answer, even when the caller
    // wants only the verdict.
    TarnCommandByteCode discardedResponse;
    return TransmitForSuccess(*currentConduit, commandName, request, discardedResponse, timeoutMillisec);
}

} // namespace TarnLinkPrivate
