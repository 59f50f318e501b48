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

bool PropertyGroup::Add(std::string_view name, Variant& value)
{
    return index_.AddIfAbsent(name, [&] {
        Property& added = properties_.emplace_back();
        added.name = arena_.Keep(name);
        added.value.swap(value);
        const auto place =
            std::lower_bound(byName_.begin(), byName_.end(), added.name,
                             [](const Property* property, std::string_view wanted) { return property->name < wanted; });
        byName_.insert(place, &added);
        return std::pair(added.name, &added.value);
    });
}

void PropertyGroup::Replace(std::string_view name, const Variant& value)
{
    // The value changes in place: the index keeps pointing at the same property.
    Variant replacement(value);
    if (Variant* found = index_.Find(name)) {
        found->swap(replacement);
        return;
    }
    Add(name, replacement);
}

PropertyGroup& HWCapsData::GroupFor(const ConditionContents& list)
{
    for (PropertyGroup& group : propertyGroups_) {
        if (group.conditions.SameConditionsAs(list)) {
            return group;
        }
    }
    propertyGroups_.emplace_back(arena_);
    propertyGroups_.back().conditions = list;
    return propertyGroups_.back();
}

bool HWCapsData::AddNewProperty(std::string_view name, Variant& value, const ConditionContents& list)
{
    return GroupFor(list).Add(name, value);
}

bool HWCapsData::SetIntegerProperty(std::string_view name, std::int32_t value, const ConditionContents& list)
{
    Variant property(value);
    return AddNewProperty(name, property, list);
}

bool HWCapsData::SetStringProperty(std::string_view name, std::string value, const ConditionContents& list)
{
    Variant property(std::string{});
    variant_cast<std::string>(&property)->swap(value);
    return AddNewProperty(name, property, list);
}

CommandValueEntries::iterator HWCapsData::FindEntry(CommandValueEntries& entries, const ConditionContents& conditions)
{
    return std::find_if(entries.begin(), entries.end(), [&conditions](const CommandValueEntry& entry) {
        return entry.conditions->SameConditionsAs(conditions);
    });
}

CommandValueEntries& HWCapsData::EntriesFor(std::string_view command, std::string_view parameter)
{
    auto commandEntry = commandValues_.find(command);
    if (commandEntry == commandValues_.end()) {
        commandEntry = commandValues_.try_emplace(arena_.Keep(command)).first;
    }
    ParameterValues& parameters = commandEntry->second;
    auto parameterEntry = parameters.find(parameter);
    if (parameterEntry == parameters.end()) {
        parameterEntry = parameters.try_emplace(arena_.Keep(parameter)).first;
    }
    return parameterEntry->second;
}

bool HWCapsData::AppendCommandValue(std::string_view command, std::string_view parameter, CommandValueEntry entry)
{
    CommandValueEntries& entries = EntriesFor(command, parameter);
    if (FindEntry(entries, *entry.conditions) != entries.end()) {
        return false;
    }
    entries.push_back(std::move(entry));
    return true;
}

bool HWCapsData::SetCmdParamRanges(std::string_view command, std::string_view parameter, const ValueRange& range,
                                   const ConditionContents& list)
{
    return AppendCommandValue(command, parameter, CommandValueEntry{range, SymbolNames(arena_.Memory()), &list});
}

bool HWCapsData::SetCmdParamSymbols(std::string_view command, std::string_view parameter,
                                    const std::vector<std::string_view>& symbols, const ConditionContents& list)
{
    SymbolNames kept(arena_.Memory());
    kept.reserve(symbols.size());
    for (const std::string_view symbol : symbols) {
        kept.push_back(arena_.Keep(symbol));
    }
    return AppendCommandValue(command, parameter, CommandValueEntry{std::nullopt, std::move(kept), &list});
}

bool HWCapsData::SetOverrideTimeout(std::string_view command, std::uint32_t millisec)
{
    if (command.empty()) {
        return false;
    }
    const auto stored = overrideTimeouts_.find(command);
    if (stored == overrideTimeouts_.end()) {
        overrideTimeouts_.emplace(arena_.Keep(command), millisec);
    } else {
        stored->second = millisec;
    }
    return true;
}

bool HWCapsData::ReplaceProperty(std::string_view name, const Variant& value, const ConditionContents& list)
{
    if (name.empty()) {
        return false;
    }
    GroupFor(list).Replace(name, value);
    return true;
}

bool HWCapsData::AddMergedSymbol(std::string_view command, std::string_view parameter, std::string_view symbol,
                                 const ConditionContents* list)
{
    if (command.empty() || parameter.empty() || list == nullptr) {
        return false;
    }
    CommandValueEntries& entries = EntriesFor(command, parameter);
    auto existing = FindEntry(entries, *list);
    if (existing == entries.end()) {
        existing = entries.insert(entries.end(), CommandValueEntry{std::nullopt, SymbolNames(arena_.Memory()), list});
    }
    // Symbols replace a range in place, so that sets merged again and again
    // take no further room from the arena.
    existing->range.reset();
    SymbolNames& symbols = existing->symbols;
    if (std::find(symbols.begin(), symbols.end(), symbol) == symbols.end()) {
        symbols.push_back(arena_.Keep(symbol));
    }
    return true;
}

bool HWCapsData::SetMergedRange(std::string_view command, std::string_view parameter, const ValueRange& range,
                                const ConditionContents* list)
{
    if (command.empty() || parameter.empty() || list == nullptr) {
        return false;
    }
    CommandValueEntries& entries = EntriesFor(command, parameter);
    const auto existing = FindEntry(entries, *list);
    if (existing == entries.end()) {
        entries.push_back(CommandValueEntry{range, SymbolNames(arena_.Memory()), list});
        return true;
    }
    // A range replaces symbols or an earlier range.
    existing->range = range;
    existing->symbols.clear();
    return true;
}

void HWCapsData::RaiseOverrideTimeout(std::string_view command, std::uint32_t millisec)
{
    const auto stored = overrideTimeouts_.find(command);
    if (stored == overrideTimeouts_.end()) {
        overrideTimeouts_.emplace(arena_.Keep(command), millisec);
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
    const auto commandEntry = commandValues_.find(std::string_view(command));
    if (commandEntry == commandValues_.end()) {
        return nullptr;
    }
    const auto parameterEntry = commandEntry->second.find(std::string_view(parameter));
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
