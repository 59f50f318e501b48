#ifndef TARNLINK_RUNTIME_EXECUTOR_H
#define TARNLINK_RUNTIME_EXECUTOR_H

#include <cstdint>

#include "tarnlink/TarnCommand.h"
#include "tarnlink/TarnCommandByteCode.h"

namespace TarnLinkPrivate {

bool Execute(TarnLink::TarnCommand& command);
bool Execute(const char* commandName, const TarnLink::TarnCommandByteCode& request,
             TarnLink::TarnCommandByteCode* response, std::uint32_t timeoutMillisec);

} // namespace TarnLinkPrivate

#endif
