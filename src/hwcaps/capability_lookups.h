#ifndef TARNLINK_HWCAPS_CAPABILITY_LOOKUPS_H
#define TARNLINK_HWCAPS_CAPABILITY_LOOKUPS_H

// The three ways a capability question is answered: the host's interceptor
// first, then the set of the conduit base id, then the current set. The
// fall-backs differ by kind, as hosts rely on them.

#include <cstddef>
#include <cstdint>

#include "tarnlink/TarnHWCaps.h"

namespace TarnLinkPrivate {

// True only for a string property "TRUE", "true" or "True". A conduit base id
// without a set answers false.
bool LookupBoolProperty(const char* key, TarnLink::HWCaps::CmdParamConditionList* cond, std::int32_t conduitId);
// A conduit base id without a set answers from the current set; one whose
// set lacks the property answers false. value may be null.
bool LookupIntegerProperty(const char* key, std::int32_t* value, TarnLink::HWCaps::CmdParamConditionList* cond,
                           std::int32_t conduitId);
// Falls back to the current set whenever the conduit's set gives no string.
// The value is cut to size - 1 characters.
bool LookupStringProperty(const char* key, char* buffer, std::size_t size,
                          TarnLink::HWCaps::CmdParamConditionList* cond, std::int32_t conduitId);

} // namespace TarnLinkPrivate

#endif
