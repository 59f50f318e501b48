#ifndef TARNLINK_HWCAPS_CONDITION_CONTENTS_H
#define TARNLINK_HWCAPS_CONDITION_CONTENTS_H

// The conditions of one condition list: (command, parameter) = value, with the
// block's keyname. Held by host condition lists and by every condition block of
// a capability set.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

namespace TarnLinkPrivate {

struct ConditionValue {
    std::string symbol; // empty for an integer condition
    std::int32_t value = 0;
};

using ParameterConditions = std::map<std::string, ConditionValue>;

struct ConditionContents {
    std::string keyname;
    std::map<std::string, ParameterConditions> conditions;

    std::size_t Count() const;
    bool IsEmpty() const { return conditions.empty(); }
    // Same (command, parameter) pairs with the same numeric values; keynames
    // and symbol texts play no part. Inline for the unconditional questions
    // most hosts ask, which compare two empty lists.
    bool SameConditionsAs(const ConditionContents& other) const
    {
        return conditions.size() == other.conditions.size() && (conditions.empty() || SamePairsAs(other));
    }
    const ConditionValue* Find(const char* command, const char* parameter) const;

private:
    // For lists of the same non-zero size.
    bool SamePairsAs(const ConditionContents& other) const;
};

// Both check the names against the command dictionary; a repeated
// (command, parameter) replaces the earlier value.
bool AddIntegerCondition(ConditionContents& contents, const char* command, const char* parameter, std::int32_t value);
bool AddSymbolCondition(ConditionContents& contents, const char* command, const char* parameter, const char* symbol);

} // namespace TarnLinkPrivate

#endif
