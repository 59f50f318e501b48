#ifndef TARNLINK_TARNHWCAPSQUERIES_H
#define TARNLINK_TARNHWCAPSQUERIES_H

#include <cstddef>
#include <cstdint>

#include "tarnlink/TarnExport.h"
#include "tarnlink/TarnHWCaps.h"

namespace TarnLink {
namespace HWCaps {

// Each capability function asks the host's interceptor first, then the set of
// the given conduit base id (0: the attached hardware), then the current set.
#define TARNLINK_HWCAPS_SIGNATURE_Boolean(name) \
    bool name(CmdParamConditionList* cond = nullptr, std::int32_t conduitId = 0)
#define TARNLINK_HWCAPS_SIGNATURE_Integer(name) \
    bool name(std::int32_t* value, CmdParamConditionList* cond = nullptr, std::int32_t conduitId = 0)
#define TARNLINK_HWCAPS_SIGNATURE_String(name) \
    bool name(char* buffer, std::size_t size, CmdParamConditionList* cond = nullptr, std::int32_t conduitId = 0)

#define TARNLINK_HWCAPS_FUNCTION(name, key, kind) TARNLINK_API TARNLINK_HWCAPS_SIGNATURE_##kind(name);
#include "tarnlink/TarnHWCapsTable.h"
#undef TARNLINK_HWCAPS_FUNCTION

} // namespace HWCaps
} // namespace TarnLink

#endif
