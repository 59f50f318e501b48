#ifndef TARNLINK_RUNTIME_COMMAND_QUERIES_H
#define TARNLINK_RUNTIME_COMMAND_QUERIES_H

#include <cstddef>
#include <cstdint>

#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

bool GetCommandSymbolicConstantValue(const TarnLink::TarnCommand& command, const char* symbol, std::int32_t* value);
bool GetCommandSymbolicConstantValue(const char* commandName, const char* symbol, std::int32_t* value);
bool IsCommandParamEqualToSymbol(const TarnLink::TarnCommand& command, const char* paramName, const char* symbol);
bool CompareCommandParams(const TarnLink::TarnCommand& commandA, const char* paramA,
                          const TarnLink::TarnCommand& commandB, const char* paramB, std::int32_t* result);
bool AreCommandParamsEquivalent(const TarnLink::TarnCommand& commandA, const char* paramA,
                                const TarnLink::TarnCommand& commandB, const char* paramB);
bool GetCommandParamTypeCodeString(const char* commandName, const char* paramName, std::size_t bufferSize,
                                   char* buffer);

} // namespace TarnLinkPrivate

#endif
