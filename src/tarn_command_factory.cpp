// The exported entry points; each forwards to the subsystem that owns the work.

#include "tarnlink/TarnCommandFactory.h"

#include "command/compiler.h"
#include "conduit_override.h"
#include "diagnostics/diagnostics.h"
#include "library_lifecycle.h"
#include "runtime/command_queries.h"
#include "runtime/conduit_registry.h"
#include "runtime/definition_crc.h"
#include "runtime/executor.h"
#include "runtime/listener_registry.h"
#include "runtime/trace_log.h"

namespace TarnLink {

namespace Private = TarnLinkPrivate;

bool TarnCommandFactory::Initialize() { return Private::InitializeLibrary(); }
bool TarnCommandFactory::Terminate() { return Private::TerminateLibrary(); }
bool TarnCommandFactory::SetInitializationAdditionalPath(const char* path)
{
    return Private::SetInitializationAdditionalPath(path);
}
bool TarnCommandFactory::SetVerbosity(bool verbose, bool compileTrace)
{
    Private::SetVerbosityFlags(verbose, compileTrace);
    return true;
}

bool TarnCommandFactory::CompileTarnByteCode(const TarnCommand& command, TarnCommandByteCode& byteCode,
                                             std::uint32_t* timeoutMillisec, CommandStatus_t* status)
{
    return Private::CompileTarnByteCode(command, byteCode, timeoutMillisec, status);
}
bool TarnCommandFactory::DecompileTarnByteCode(TarnCommand& command, const TarnCommandByteCode& byteCode,
                                               CommandStatus_t* status, bool lenient)
{
    return Private::DecompileTarnByteCode(command, byteCode, status, lenient);
}
bool TarnCommandFactory::ComputeCompiledCommandParamDataPacketAndBytecodeOffset(const TarnCommand& command,
                                                                                const char* paramName,
                                                                                std::int64_t* offset)
{
    return Private::ComputeCompiledCommandParamDataPacketAndBytecodeOffset(command, paramName, offset);
}

bool TarnCommandFactory::Execute(TarnCommand& command) { return Private::Execute(command); }
bool TarnCommandFactory::Execute(const char* commandName, const TarnCommandByteCode& request,
                                 TarnCommandByteCode* response, std::uint32_t timeoutMillisec)
{
    return Private::Execute(commandName, request, response, timeoutMillisec);
}
bool TarnCommandFactory::OpenExecutionTraceLogfile(const char* path)
{
    return Private::OpenExecutionTraceLogfile(path);
}
bool TarnCommandFactory::CloseExecutionTraceLogfile() { return Private::CloseExecutionTraceLogfile(); }

bool TarnCommandFactory::InstallTargetConduit(TarnConduit* conduit, std::int32_t conduitId)
{
    return Private::InstallTargetConduit(conduit, conduitId);
}
bool TarnCommandFactory::RemoveTargetConduit(TarnConduit* conduit, std::int32_t conduitId)
{
    return Private::RemoveTargetConduit(conduit, conduitId);
}
bool TarnCommandFactory::OverrideConduit(TarnConduit* conduit) { return Private::OverrideConduit(conduit); }
TarnConduit* TarnCommandFactory::GetConduit() { return Private::GetConduit(); }
TarnConduit* TarnCommandFactory::GetConduitFromID(std::int32_t conduitId)
{
    return Private::GetConduitFromID(conduitId);
}
std::int32_t TarnCommandFactory::GetConduitListSize() { return Private::GetConduitListSize(); }
TarnConduit* TarnCommandFactory::GetNthConduit(int n, std::int32_t* conduitId)
{
    return Private::GetNthConduit(n, conduitId);
}

bool TarnCommandFactory::InstallTarnCompileListener(TarnCompileListener* listener)
{
    return Private::InstallTarnCompileListener(listener);
}
bool TarnCommandFactory::InstallTarnExecutionListener(TarnExecutionListener* listener)
{
    return Private::InstallTarnExecutionListener(listener);
}
bool TarnCommandFactory::InstallTarnTransmitListener(TarnTransmitListener* listener)
{
    return Private::InstallTarnTransmitListener(listener);
}
bool TarnCommandFactory::RemoveTarnCompileListener(TarnCompileListener* listener)
{
    return Private::RemoveTarnCompileListener(listener);
}
bool TarnCommandFactory::RemoveTarnExecutionListener(TarnExecutionListener* listener)
{
    return Private::RemoveTarnExecutionListener(listener);
}
bool TarnCommandFactory::RemoveTarnTransmitListener(TarnTransmitListener* listener)
{
    return Private::RemoveTarnTransmitListener(listener);
}

bool TarnCommandFactory::GetCommandSymbolicConstantValue(const TarnCommand& command, const char* symbol,
                                                         std::int32_t* value)
{
    return Private::GetCommandSymbolicConstantValue(command, symbol, value);
}
bool TarnCommandFactory::GetCommandSymbolicConstantValue(const char* commandName, const char* symbol,
                                                         std::int32_t* value)
{
    return Private::GetCommandSymbolicConstantValue(commandName, symbol, value);
}
bool TarnCommandFactory::IsCommandParamEqualToSymbol(const TarnCommand& command, const char* paramName,
                                                     const char* symbol)
{
    return Private::IsCommandParamEqualToSymbol(command, paramName, symbol);
}
bool TarnCommandFactory::CompareCommandParams(const TarnCommand& commandA, const char* paramA,
                                              const TarnCommand& commandB, const char* paramB, std::int32_t* result)
{
    return Private::CompareCommandParams(commandA, paramA, commandB, paramB, result);
}
bool TarnCommandFactory::AreCommandParamsEquivalent(const TarnCommand& commandA, const char* paramA,
                                                    const TarnCommand& commandB, const char* paramB)
{
    return Private::AreCommandParamsEquivalent(commandA, paramA, commandB, paramB);
}
bool TarnCommandFactory::GetCommandParamTypeCodeString(const char* commandName, const char* paramName,
                                                       std::size_t bufferSize, char* buffer)
{
    return Private::GetCommandParamTypeCodeString(commandName, paramName, bufferSize, buffer);
}

bool TarnCommandFactory::GenerateCRCsForTCDFiles(const char* directory)
{
    return Private::GenerateCRCsForTCDFiles(directory);
}
bool TarnCommandFactory::VerifyCRCsForTCDFiles(const char* directory)
{
    return Private::VerifyCRCsForTCDFiles(directory);
}

} // namespace TarnLink
