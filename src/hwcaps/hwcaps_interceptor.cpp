#include "tarnlink/TarnHWCaps.h"

namespace TarnLink {
namespace HWCaps {

// The value operations must be overridden, yet a host may call these bodies
// to hand a question on to the capability sets.

TarnHWCapsInterceptor::~TarnHWCapsInterceptor() = default;

bool TarnHWCapsInterceptor::GetBoolPropValue(const char*, bool*, CmdParamConditionList*, std::int32_t) { return false; }

bool TarnHWCapsInterceptor::GetIntegerPropertyValue(const char*, std::int32_t*, CmdParamConditionList*, std::int32_t)
{
    return false;
}

bool TarnHWCapsInterceptor::GetStringPropertyValue(const char*, char*, std::size_t, CmdParamConditionList*,
                                                   std::int32_t)
{
    return false;
}

} // namespace HWCaps
} // namespace TarnLink
