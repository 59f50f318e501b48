#ifndef TARNLINK_TARNCOMMANDFACTORY_H
#define TARNLINK_TARNCOMMANDFACTORY_H

#include <cstddef>
#include <cstdint>

#include "tarnlink/TarnCommand.h"
#include "tarnlink/TarnCommandByteCode.h"
#include "tarnlink/TarnExport.h"
#include "tarnlink/TarnHostInterfaces.h"

namespace TarnLink {

// The library's entry points: lifecycle, compilation, execution, conduits,
// listeners, command queries and definition file checksums.
//
//     if (!TarnLink::TarnCommandFactory::Initialize()) return 1;
//     TarnLink::TarnCommandFactory::InstallTargetConduit(&box, 1);
//     TarnLink::TarnCommandFactory::OverrideConduit(&box);
//     TarnLink::TarnCommand mute("AudioHostChanMute");
//     mute.SetParamUInt8("HostChannel", 5);
//     TarnLink::TarnCommandFactory::Execute(mute);
//     TarnLink::TarnCommandFactory::Terminate();
//
// Thread safety: the library starts no thread and has no lock of its own.
// Both forms of Execute hold the current conduit's lock for the whole
// execution, so executions from several threads are serialized by it.
// CompileTarnByteCode, DecompileTarnByteCode and the command queries may run
// on several threads at once on separate commands. Initialize, Terminate,
// SetInitializationAdditionalPath, installing or removing conduits and
// listeners, OverrideConduit and opening or closing the trace log must not
// overlap an execution or each other. SetVerbosity may be called at any time.
class TARNLINK_API TarnCommandFactory {
public:
    TarnCommandFactory() = delete;

    static bool Initialize();
    static bool Terminate();
    static bool SetInitializationAdditionalPath(const char* path);
    static bool SetVerbosity(bool verbose, bool compileTrace);

    static bool CompileTarnByteCode(const TarnCommand& command, TarnCommandByteCode& byteCode,
                                    std::uint32_t* timeoutMillisec, CommandStatus_t* status);
    static bool DecompileTarnByteCode(TarnCommand& command, const TarnCommandByteCode& byteCode,
                                      CommandStatus_t* status, bool lenient);
    static bool ComputeCompiledCommandParamDataPacketAndBytecodeOffset(const TarnCommand& command,
                                                                       const char* paramName, std::int64_t* offset);

    static bool Execute(TarnCommand& command);
    static bool Execute(const char* commandName, const TarnCommandByteCode& request, TarnCommandByteCode* response,
                        std::uint32_t timeoutMillisec);
    static bool OpenExecutionTraceLogfile(const char* path);
    static bool CloseExecutionTraceLogfile();

    // Conduits are the host's: the library never deletes, copies or calls
    // them as they come and go. InstallTargetConduit makes `conduit` current
    // in every case, also when it returns false because `conduitId` is taken
    // (the table keeps its entry) or `conduit` is null (no conduit is current
    // then): a host that destroys a conduit whose installation failed makes
    // another one current first. RemoveTargetConduit erases the entry of
    // `conduitId` whichever conduit it holds, and clears the current conduit
    // when that is `conduit`.
    static bool InstallTargetConduit(TarnConduit* conduit, std::int32_t conduitId);
    static bool RemoveTargetConduit(TarnConduit* conduit, std::int32_t conduitId);
    static bool OverrideConduit(TarnConduit* conduit);
    static TarnConduit* GetConduit();
    static TarnConduit* GetConduitFromID(std::int32_t conduitId);
    static std::int32_t GetConduitListSize();
    static TarnConduit* GetNthConduit(int n, std::int32_t* conduitId);

    static bool InstallTarnCompileListener(TarnCompileListener* listener);
    static bool InstallTarnExecutionListener(TarnExecutionListener* listener);
    static bool InstallTarnTransmitListener(TarnTransmitListener* listener);
    static bool RemoveTarnCompileListener(TarnCompileListener* listener);
    static bool RemoveTarnExecutionListener(TarnExecutionListener* listener);
    static bool RemoveTarnTransmitListener(TarnTransmitListener* listener);

    static bool GetCommandSymbolicConstantValue(const TarnCommand& command, const char* symbol, std::int32_t* value);
    static bool GetCommandSymbolicConstantValue(const char* commandName, const char* symbol, std::int32_t* value);
    static bool IsCommandParamEqualToSymbol(const TarnCommand& command, const char* paramName, const char* symbol);
    static bool CompareCommandParams(const TarnCommand& commandA, const char* paramA, const TarnCommand& commandB,
                                     const char* paramB, std::int32_t* result);
    static bool AreCommandParamsEquivalent(const TarnCommand& commandA, const char* paramA, const TarnCommand& commandB,
                                           const char* paramB);
    static bool GetCommandParamTypeCodeString(const char* commandName, const char* paramName, std::size_t bufferSize,
                                              char* buffer);

    static bool GenerateCRCsForTCDFiles(const char* directory);
    // Verifies the checksum trailer of every .tcd file of "./" and of
    // directory (null: "./" only); true when every file verifies.
    static bool VerifyCRCsForTCDFiles(const char* directory);
};

} // namespace TarnLink

#endif
