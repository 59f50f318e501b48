#ifndef TARNLINK_TESTS_HWCAPS_RECORDING_INTERCEPTOR_H
#define TARNLINK_TESTS_HWCAPS_RECORDING_INTERCEPTOR_H

// An interceptor that records every question and answers only when told to;
// otherwise it hands the question on through the base class bodies.

#include <cstring>
#include <string>
#include <vector>

#include "tarnlink/TarnHWCaps.h"

enum class Kind { kBoolean, kInteger, kString };

struct Question {
    std::string key;
    Kind kind;
    std::int32_t conduitId;
    bool operator==(const Question& other) const
    {
        return key == other.key && kind == other.kind && conduitId == other.conduitId;
    }
};

class RecordingInterceptor : public TarnLink::HWCaps::TarnHWCapsInterceptor {
public:
    bool GetBoolPropValue(const char* name, bool* value, TarnLink::HWCaps::CmdParamConditionList* cond,
                          std::int32_t conduitId) override
    {
        asked.push_back({name, Kind::kBoolean, conduitId});
        if (!answers) {
            return TarnHWCapsInterceptor::GetBoolPropValue(name, value, cond, conduitId);
        }
        *value = boolAnswer;
        return true;
    }
    bool GetIntegerPropertyValue(const char* name, std::int32_t* value, TarnLink::HWCaps::CmdParamConditionList* cond,
                                 std::int32_t conduitId) override
    {
        asked.push_back({name, Kind::kInteger, conduitId});
        integerPointer = value;
        if (!answers) {
            return TarnHWCapsInterceptor::GetIntegerPropertyValue(name, value, cond, conduitId);
        }
        if (value != nullptr) {
            *value = integerAnswer;
        }
        return true;
    }
    bool GetStringPropertyValue(const char* name, char* buffer, std::size_t size,
                                TarnLink::HWCaps::CmdParamConditionList* cond, std::int32_t conduitId) override
    {
        asked.push_back({name, Kind::kString, conduitId});
        if (!answers) {
            return TarnHWCapsInterceptor::GetStringPropertyValue(name, buffer, size, cond, conduitId);
        }
        std::strncpy(buffer, stringAnswer.c_str(), size);
        return true;
    }

    bool answers = false;
    bool boolAnswer = false;
    std::int32_t integerAnswer = 0;
    std::string stringAnswer;
    std::int32_t* integerPointer = nullptr;
    std::vector<Question> asked;
};

#endif
