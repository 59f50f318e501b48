#ifndef TARNLINK_TARNHWCAPSQUERIES_H
#define TARNLINK_TARNHWCAPSQUERIES_H

#include <cstddef>
#include <cstdint>

#include "tarnlink/TarnExport.h"
#include "tarnlink/TarnHWCaps.h"

namespace TarnLink {
namespace HWCaps {

// The 78 capability questions, one function each, generated from
// TarnHWCapsTable.h:
//
//     std::int32_t channels = 0;
//     if (TarnLink::HWCaps::GetMaxAudioChannels(&channels)) { /* ... */ }
//
// Each capability function asks the host's interceptor first, then the set of
// the given conduit base id (0: the attached hardware), then the current set.
// Thread safety: the questions only read the capability sets, so any number of
// threads may ask at once; they must not overlap a detection (OverrideConduit),
// Initialize or Terminate, which replace the sets.
// The signatures of the three kinds; DEFAULT(value) gives the default
// arguments of the declarations and expands to nothing in the definitions.
#define TARNLINK_HWCAPS_WITH_DEFAULT(value) = value
#define TARNLINK_HWCAPS_SIGNATURE_Boolean(name, DEFAULT) \
    bool name(CmdParamConditionList* cond DEFAULT(nullptr), std::int32_t conduitId DEFAULT(0))
#define TARNLINK_HWCAPS_SIGNATURE_Integer(name, DEFAULT) \
    bool name(std::int32_t* value, CmdParamConditionList* cond DEFAULT(nullptr), std::int32_t conduitId DEFAULT(0))
#define TARNLINK_HWCAPS_SIGNATURE_String(name, DEFAULT)                                     \
    bool name(char* buffer, std::size_t size, CmdParamConditionList* cond DEFAULT(nullptr), \
              std::int32_t conduitId DEFAULT(0))

#define TARNLINK_HWCAPS_FUNCTION(name, key, kind) \
    TARNLINK_API TARNLINK_HWCAPS_SIGNATURE_##kind(name, TARNLINK_HWCAPS_WITH_DEFAULT);
#include "tarnlink/TarnHWCapsTable.h"
#undef TARNLINK_HWCAPS_FUNCTION

// The helper macros leave with the declarations; only the library's file of
// definitions keeps the signatures, to define the functions with them.
#ifndef TARNLINK_HWCAPS_KEEP_SIGNATURES
#    undef TARNLINK_HWCAPS_WITH_DEFAULT
#    undef TARNLINK_HWCAPS_SIGNATURE_Boolean
#    undef TARNLINK_HWCAPS_SIGNATURE_Integer
#    undef TARNLINK_HWCAPS_SIGNATURE_String
#endif

} // namespace HWCaps
} // namespace TarnLink

#endif
