#include "hwcaps/hwcaps_data.h"

#include <algorithm>
#include <utility>

namespace TarnLinkPrivate {

using TarnLink::VariantImpl::variant_cast;

ConditionContents& HWCapsData::AppendConditionList(const ConditionContents& contents)
{
    conditionLists_.push_back(std::make_unique<ConditionContents>(contents));
    return *conditionLists_.back();
}

void HWCapsData::RemoveLastConditionList()
{
    if (!conditionLists_.empty()) {
        conditionLists_.pop_back();
    }
}

const ConditionContents* HWCapsData::FindListByKeyname(const std::string& keyname) const
{
    if (keyname.empty()) {
        return &defaultList_;
    }
    for (const auto& list : conditionLists_) {
        if (list->keyname == keyname) {
            return list.get();
        }
    }
    return nullptr;
}

const ConditionContents* HWCapsData::FindListWithSameConditions(const ConditionContents& conditions) const
{
    if (conditions.IsEmpty()) {
        return &defaultList_;
    }
    for (const auto& list : conditionLists_) {
        if (list->SameConditionsAs(conditions)) {
            return list.get();
        }
    }
    return nullptr;
}

bool PropertyGroup::Add(std::string name, Variant& value)
{
    const auto added = properties_.try_emplace(std::move(name));
    if (added.second) {
        added.first->second.swap(value);
        index_.Assign(added.first->first, &added.first->second);
    }
    return added.second;
}

void PropertyGroup::Replace(const std::string& name, const Variant& value)
{
    // The value changes in place: the index keeps viewing the same entry.
    const auto found = properties_.find(name);
    Variant replacement(value);
    if (found == properties_.end()) {
        Add(name, replacement);
        return;
    }
    found->second.swap(replacement);
}

PropertyGroup& HWCapsData::GroupFor(const ConditionContents& list)
{
    for (PropertyGroup& group : propertyGroups_) {
        if (group.conditions.SameConditionsAs(list)) {
            return group;
        }
    }
    propertyGroups_.emplace_back();
    propertyGroups_.back().conditions = list;
    return propertyGroups_.back();
}

bool HWCapsData::AddNewProperty(std::string name, Variant& value, const ConditionContents& list)
{
    return GroupFor(list).Add(std::move(name), value);
}

bool HWCapsData::SetIntegerProperty(std::string name, std::int32_t value, const ConditionContents& list)
{
    Variant property(value);
    return AddNewProperty(std::move(name), property, list);
}

bool HWCapsData::SetStringProperty(std::string name, std::string value, const ConditionContents& list)
{
    Variant property(std::string{});
    variant_cast<std::string>(&property)->swap(value);
    return AddNewProperty(std::move(name), property, list);
}

CommandValueEntries::iterator HWCapsData::FindEntry(CommandValueEntries& entries, const ConditionContents& conditions)
{
    return std::find_if(entries.begin(), entries.end(), [&conditions](const CommandValueEntry& entry) {
        return entry.conditions->SameConditionsAs(conditions);
    });
}

bool HWCapsData::AppendCommandValue(const std::string& command, const std::string& parameter, Variant& value,
                                    const ConditionContents& list)
{
    CommandValueEntries& entries = commandValues_[command][parameter];
    if (FindEntry(entries, list) != entries.end()) {
        return false;
    }
    entries.emplace_back(std::move(value), &list);
    return true;
}

bool HWCapsData::SetCmdParamRanges(const std::string& command, const std::string& parameter, const ValueRange& range,
                                   const ConditionContents& list)
{
    Variant value(range);
    return AppendCommandValue(command, parameter, value, list);
}

bool HWCapsData::SetCmdParamSymbols(const std::string& command, const std::string& parameter, SymbolList symbols,
                                    const ConditionContents& list)
{
    // The list moves into the value instead of being copied node by node.
    Variant value(SymbolList{});
    variant_cast<SymbolList>(&value)->swap(symbols);
    return AppendCommandValue(command, parameter, value, list);
}

bool HWCapsData::SetOverrideTimeout(const std::string& command, std::uint32_t millisec)
{
    if (command.empty()) {
        return false;
    }
    overrideTimeouts_[command] = millisec;
    return true;
}

bool HWCapsData::ReplaceProperty(const std::string& name, const Variant& value, const ConditionContents& list)
{
    if (name.empty()) {
        return false;
    }
    GroupFor(list).Replace(name, value);
    return true;
}

bool HWCapsData::AddMergedSymbol(const std::string& command, const std::string& parameter, const std::string& symbol,
                                 const ConditionContents* list)
{
    if (command.empty() || parameter.empty() || list == nullptr) {
        return false;
    }
    CommandValueEntries& entries = commandValues_[command][parameter];
    const auto existing = FindEntry(entries, *list);
    if (existing != entries.end()) {
        if (SymbolList* symbols = variant_cast<SymbolList>(&existing->value)) {
            if (std::find(symbols->begin(), symbols->end(), symbol) == symbols->end()) {
                symbols->push_back(symbol);
            }
            return true;
        }
        entries.erase(existing);
    }
    entries.emplace_back(Variant(SymbolList{symbol}), list);
    return true;
}

bool HWCapsData::SetMergedRange(const std::string& command, const std::string& parameter, const ValueRange& range,
                                const ConditionContents* list)
{
    if (command.empty() || parameter.empty() || list == nullptr) {
        return false;
    }
    CommandValueEntries& entries = commandValues_[command][parameter];
    const auto existing = FindEntry(entries, *list);
    if (existing == entries.end()) {
        entries.emplace_back(Variant(range), list);
        return true;
    }
    // Entries cannot be assigned to, so the new value takes the old one's place.
    entries.emplace(existing, Variant(range), existing->conditions);
    entries.erase(existing);
    return true;
}

void HWCapsData::RaiseOverrideTimeout(const std::string& command, std::uint32_t millisec)
{
    const auto stored = overrideTimeouts_.find(command);
    if (stored == overrideTimeouts_.end()) {
        overrideTimeouts_.emplace(command, millisec);
    } else {
        stored->second = std::max(stored->second, millisec);
    }
}

const PropertyGroup* HWCapsData::FindPropertyGroup(const ConditionContents* conditions) const
{
    const ConditionContents& wanted = conditions != nullptr ? *conditions : defaultList_;
    for (const PropertyGroup& group : propertyGroups_) {
        if (group.conditions.SameConditionsAs(wanted)) {
            return &group;
        }
    }
    return nullptr;
}

const Variant* HWCapsData::FindProperty(std::string_view name, const ConditionContents* conditions) const
{
    if (name.empty()) {
        return nullptr;
    }
    const PropertyGroup* group = FindPropertyGroup(conditions);
    if (group == nullptr) {
        return nullptr;
    }
    return group->Find(name);
}

const CommandValueEntry* HWCapsData::FindCommandValue(const char* command, const char* parameter,
                                                      const ConditionContents* conditions) const
{
    if (command == nullptr || parameter == nullptr || *command == '\0' || *parameter == '\0') {
        return nullptr;
    }
    const auto commandEntry = commandValues_.find(command);
    if (commandEntry == commandValues_.end()) {
        return nullptr;
    }
    const auto parameterEntry = commandEntry->second.find(parameter);
    if (parameterEntry == commandEntry->second.end()) {
        return nullptr;
    }
    const ConditionContents& wanted = conditions != nullptr ? *conditions : defaultList_;
    for (const CommandValueEntry& entry : parameterEntry->second) {
        if (entry.conditions->SameConditionsAs(wanted)) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace TarnLinkPrivate
