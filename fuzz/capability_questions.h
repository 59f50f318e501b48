#ifndef TARNLINK_FUZZ_CAPABILITY_QUESTIONS_H
#define TARNLINK_FUZZ_CAPABILITY_QUESTIONS_H

// Asks every capability function of the table, for one condition list and
// conduit id. Answers are not judged here: each target knows what to expect.

#include <cstdint>

#include "fuzz_input.h"
#include "tarnlink/TarnHWCapsQueries.h"

namespace CapabilityQuestions {

inline bool Ask(bool (*function)(TarnLink::HWCaps::CmdParamConditionList*, std::int32_t),
                TarnLink::HWCaps::CmdParamConditionList* cond, std::int32_t conduitId)
{
    return function(cond, conduitId);
}

inline bool Ask(bool (*function)(std::int32_t*, TarnLink::HWCaps::CmdParamConditionList*, std::int32_t),
                TarnLink::HWCaps::CmdParamConditionList* cond, std::int32_t conduitId)
{
    std::int32_t value = 0;
    return function(&value, cond, conduitId);
}

// A string answer must end inside the buffer.
inline bool Ask(bool (*function)(char*, std::size_t, TarnLink::HWCaps::CmdParamConditionList*, std::int32_t),
                TarnLink::HWCaps::CmdParamConditionList* cond, std::int32_t conduitId)
{
    char buffer[16];
    buffer[sizeof buffer - 1] = 'x';
    const bool answered = function(buffer, sizeof buffer, cond, conduitId);
    Require(!answered || buffer[sizeof buffer - 1] == '\0', "a string answer ends inside its buffer");
    return answered;
}

// The number of functions that answered.
inline int AskAll(TarnLink::HWCaps::CmdParamConditionList* cond, std::int32_t conduitId)
{
    int answered = 0;
#define TARNLINK_HWCAPS_FUNCTION(name, key, kind) answered += Ask(&TarnLink::HWCaps::name, cond, conduitId) ? 1 : 0;
#include "tarnlink/TarnHWCapsTable.h"
#undef TARNLINK_HWCAPS_FUNCTION
    return answered;
}

} // namespace CapabilityQuestions

#endif
