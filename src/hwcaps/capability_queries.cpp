#include <algorithm>
#include <cstring>

#include "hwcaps/capability_lookups.h"
#define TARNLINK_HWCAPS_KEEP_SIGNATURES
#include "tarnlink/TarnHWCapsQueries.h"

// The capability functions, one per line of the table: each hands its key to
// the lookup of its kind.

namespace TarnLink {
namespace HWCaps {

namespace {

// Capability files cannot hold blanks in a value, so this name is written
// with underscores and handed out with blanks.
constexpr char kPeripheralNameKey[] = "PeripheralName";

bool AnswerBoolean(const char* key, CmdParamConditionList* cond, std::int32_t conduitId)
{
    return TarnLinkPrivate::LookupBoolProperty(key, cond, conduitId);
}

bool AnswerInteger(const char* key, std::int32_t* value, CmdParamConditionList* cond, std::int32_t conduitId)
{
    return TarnLinkPrivate::LookupIntegerProperty(key, value, cond, conduitId);
}

bool AnswerString(const char* key, char* buffer, std::size_t size, CmdParamConditionList* cond, std::int32_t conduitId)
{
    if (!TarnLinkPrivate::LookupStringProperty(key, buffer, size, cond, conduitId)) {
        return false;
    }
    if (std::strcmp(key, kPeripheralNameKey) == 0) {
        // The interceptor may have filled the whole buffer without a terminator.
        std::replace(buffer, std::find(buffer, buffer + size, '\0'), '_', ' ');
    }
    return true;
}

} // namespace

#define TARNLINK_HWCAPS_WITHOUT_DEFAULT(value)
#define TARNLINK_HWCAPS_ARGUMENTS_Boolean cond, conduitId
#define TARNLINK_HWCAPS_ARGUMENTS_Integer value, cond, conduitId
#define TARNLINK_HWCAPS_ARGUMENTS_String buffer, size, cond, conduitId
#define TARNLINK_HWCAPS_FUNCTION(name, key, kind)                           \
    TARNLINK_HWCAPS_SIGNATURE_##kind(name, TARNLINK_HWCAPS_WITHOUT_DEFAULT) \
    {                                                                       \
        return Answer##kind(key, TARNLINK_HWCAPS_ARGUMENTS_##kind);         \
    }
#include "tarnlink/TarnHWCapsTable.h"
#undef TARNLINK_HWCAPS_FUNCTION

} // namespace HWCaps
} // namespace TarnLink
