#include "hwcaps/capability_lookups.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>

#include "hwcaps/caps_handle_record.h"

namespace TarnLinkPrivate {

using TarnLink::HWCaps::CmdParamConditionList;
using TarnLink::HWCaps::TarnHWCaps;
using TarnLink::HWCaps::TarnHWCapsInterceptor;
using TarnLink::HWCaps::TarnHWCapsManager;

namespace {

constexpr std::string_view kTrueTexts[] = {"TRUE", "true", "True"};

TarnHWCapsInterceptor* ActiveInterceptor(const TarnHWCapsManager& manager, std::int32_t conduitId)
{
    TarnHWCapsInterceptor* interceptor = manager.GetInterceptor();
    if (interceptor == nullptr || (conduitId != 0 && conduitId != manager.GetInterceptorConduitID())) {
        return nullptr;
    }
    return interceptor;
}

// A boolean is a string property with one of the true texts, compared up to
// a NUL byte as a copy into a C buffer would be. Read in place: a question
// asked from a host's playback loop copies nothing.
bool ReadBoolean(const TarnHWCaps* caps, const char* key, CmdParamConditionList* cond)
{
    const std::string* text =
        caps != nullptr ? TarnLink::VariantImpl::variant_cast<std::string>(CapsHandleAccess::Property(*caps, key, cond))
                        : nullptr;
    if (text == nullptr) {
        return false;
    }
    const std::string_view upToNul(text->c_str());
    return std::find(std::begin(kTrueTexts), std::end(kTrueTexts), upToNul) != std::end(kTrueTexts);
}

bool ReadInteger(const TarnHWCaps* caps, const char* key, std::int32_t* value, CmdParamConditionList* cond)
{
    std::int32_t read = 0;
    if (caps == nullptr || !caps->GetPropertyAsInteger(key, &read, cond)) {
        return false;
    }
    if (value != nullptr) {
        *value = read;
    }
    return true;
}

bool ReadString(const TarnHWCaps* caps, const char* key, char* buffer, std::size_t size, CmdParamConditionList* cond)
{
    if (caps == nullptr || !caps->IsPropertyString(key, cond)) {
        return false;
    }
    std::memset(buffer, 0, size);
    return caps->GetPropertyAsString(key, size, buffer, cond);
}

} // namespace

bool LookupBoolProperty(const char* key, CmdParamConditionList* cond, std::int32_t conduitId)
{
    const TarnHWCapsManager& manager = *TarnHWCapsManager::Instance();
    if (TarnHWCapsInterceptor* interceptor = ActiveInterceptor(manager, conduitId)) {
        bool answer = false;
        if (interceptor->GetBoolPropValue(key, &answer, cond, conduitId)) {
            return answer;
        }
    }
    return ReadBoolean(conduitId != 0 ? manager.GetHWCapsPtr(conduitId) : manager.GetHWCapsPtr().Get(), key, cond);
}

bool LookupIntegerProperty(const char* key, std::int32_t* value, CmdParamConditionList* cond, std::int32_t conduitId)
{
    const TarnHWCapsManager& manager = *TarnHWCapsManager::Instance();
    if (TarnHWCapsInterceptor* interceptor = ActiveInterceptor(manager, conduitId)) {
        if (interceptor->GetIntegerPropertyValue(key, value, cond, conduitId)) {
            return true;
        }
    }
    if (conduitId != 0) {
        if (const TarnHWCaps* conduitCaps = manager.GetHWCapsPtr(conduitId)) {
            return ReadInteger(conduitCaps, key, value, cond);
        }
    }
    return ReadInteger(manager.GetHWCapsPtr().Get(), key, value, cond);
}

bool LookupStringProperty(const char* key, char* buffer, std::size_t size, CmdParamConditionList* cond,
                          std::int32_t conduitId)
{
    const TarnHWCapsManager& manager = *TarnHWCapsManager::Instance();
    if (buffer == nullptr || size == 0) {
        return false;
    }
    if (TarnHWCapsInterceptor* interceptor = ActiveInterceptor(manager, conduitId)) {
        if (interceptor->GetStringPropertyValue(key, buffer, size, cond, conduitId)) {
            return true;
        }
    }
    if (conduitId != 0 && ReadString(manager.GetHWCapsPtr(conduitId), key, buffer, size, cond)) {
        return true;
    }
    return ReadString(manager.GetHWCapsPtr().Get(), key, buffer, size, cond);
}

} // namespace TarnLinkPrivate
