#ifndef TARNLINK_TARNHOSTINTERFACES_H
#define TARNLINK_TARNHOSTINTERFACES_H

#include <cstdint>

#include "tarnlink/TarnCommand.h"
#include "tarnlink/TarnCommandByteCode.h"
#include "tarnlink/TarnExport.h"

namespace TarnLink {

// What the host implements: the conduit that carries packets to the hardware,
// and listeners that watch or stand in for executions.
//
// Thread safety: the library calls a conduit's Transmit and CommandSucceeded
// and every listener while it holds the current conduit's lock, on the thread
// that executes; it calls nothing from a thread of its own.

// The transport that the host implements. Lock must be re-entrant for the
// thread that holds it: the library locks the current conduit again while a
// meta command or a listener executes further commands.
class TARNLINK_API TarnConduit {
public:
    virtual ~TarnConduit();
    virtual bool Transmit(const char* commandName, const TarnCommandByteCode& request, TarnCommandByteCode* response,
                          std::uint32_t timeoutMillisec) = 0;
    virtual void CommandSucceeded(TarnCommand& command) = 0;
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
};

class TARNLINK_API TarnCompileListener {
public:
    virtual ~TarnCompileListener();
    virtual void CommandCompiled(TarnCommand& command, bool& proceed, bool& succeedIfStopped) = 0;
};

class TARNLINK_API TarnTransmitListener {
public:
    virtual ~TarnTransmitListener();
    virtual void AboutToTransmit(TarnCommand& command, TarnCommandByteCode& request, TarnCommandByteCode& response,
                                 bool& proceed, bool& useResponse, TarnConduit* conduit) = 0;
    virtual std::int32_t GetPriority() const = 0;
};

class TARNLINK_API TarnExecutionListener {
public:
    virtual ~TarnExecutionListener();
    virtual void CommandExecuted(TarnCommand& command) = 0;
};

} // namespace TarnLink

#endif
