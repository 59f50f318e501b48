#ifndef TARNLINK_HWCAPS_HWCAPS_DATA_H
#define TARNLINK_HWCAPS_HWCAPS_DATA_H

// The parsed content of one capability file: properties grouped by condition
// set, accepted command values, per-command override time-outs and the
// file's condition blocks.

#include <cstdint>
#include <deque>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <memory_resource>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dictionary/name_hash_index.h"
#include "hwcaps/condition_contents.h"
#include "hwcaps/capability_arena.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

using Variant = TarnLink::VariantImpl::Variant;
using ValueRange = std::pair<std::int32_t, std::int32_t>;
// Symbol names kept by the capability set's arena, in file order.
using SymbolNames = std::pmr::vector<std::string_view>;

// The properties that hold under one set of conditions, in the order they
// were added, with a hash index for the capability queries.
class PropertyGroup {
public:
    struct Property {
        std::string_view name; // kept by the capability set's arena
        Variant value;         // a std::int32_t or a std::string
    };

    explicit PropertyGroup(CapabilityArena& arena) : arena_(arena), properties_(arena.Memory()), byName_(arena.Memory())
    {
    }
    PropertyGroup(const PropertyGroup&) = delete; // the index points into the properties
    PropertyGroup& operator=(const PropertyGroup&) = delete;

    // Every property, sorted by name, for listing and merging.
    const std::pmr::vector<const Property*>& InNameOrder() const { return byName_; }
    const Variant* Find(std::string_view name) const { return index_.Find(name); }
    // False when the name is there already. Takes the value over (a copy of
    // a string value would allocate), leaving value empty when added.
    bool Add(std::string_view name, Variant& value);
    // Replaces the value, or adds it.
    void Replace(std::string_view name, const Variant& value);

    ConditionContents conditions;

private:
    CapabilityArena& arena_;
    // A deque keeps every property in place as it grows.
    std::pmr::deque<Property> properties_;
    std::pmr::vector<const Property*> byName_;
    NameHashIndex<Variant*> index_;
};

// The values a command parameter accepts under one condition list: a range,
// or else symbols.
struct CommandValueEntry {
    std::optional<ValueRange> range;
    SymbolNames symbols;                 // when there is no range
    const ConditionContents* conditions; // one of the lists of the same set
};

// From the capability set's arena, keyed by the names it keeps.
using CommandValueEntries = std::pmr::list<CommandValueEntry>;
using ParameterValues = std::pmr::map<std::string_view, CommandValueEntries, std::less<>>;
using CommandValues = std::pmr::map<std::string_view, ParameterValues, std::less<>>;
using OverrideTimeouts = std::pmr::map<std::string_view, std::uint32_t, std::less<>>;

class HWCapsData {
public:
    HWCapsData() = default;
    HWCapsData(const HWCapsData&) = delete;
    HWCapsData& operator=(const HWCapsData&) = delete;

    const std::string& FileName() const { return fileName_; }
    void SetFileName(const std::string& fileName) { fileName_ = fileName; }
    const std::string& HardwareType() const { return hardwareType_; }
    void SetHardwareType(const std::string& hardwareType) { hardwareType_ = hardwareType; }

    // Condition lists and the parse state over them.
    const ConditionContents& DefaultList() const { return defaultList_; }
    const std::vector<std::unique_ptr<ConditionContents>>& ConditionLists() const { return conditionLists_; }
    ConditionContents& AppendConditionList(const ConditionContents& contents);
    void RemoveLastConditionList();
    // The list with this keyname in file order; the empty keyname names the
    // default list. Null when none bears it.
    const ConditionContents* FindListByKeyname(const std::string& keyname) const;
    // The first list in file order with the same conditions; the default list
    // for an empty condition set. Null when none has them.
    const ConditionContents* FindListWithSameConditions(const ConditionContents& conditions) const;
    bool InConditionBlock() const { return inConditionBlock_; }
    void SetInConditionBlock(bool inBlock) { inConditionBlock_ = inBlock; }
    ConditionContents* CurrentList() const { return currentList_; }
    void SetCurrentList(ConditionContents* list) { currentList_ = list; }
    void MakeDefaultListCurrent() { currentList_ = &defaultList_; }

    // Storage used while parsing; false on a repeated definition.
    bool SetIntegerProperty(std::string_view name, std::int32_t value, const ConditionContents& list);
    bool SetStringProperty(std::string_view name, std::string value, const ConditionContents& list);
    bool SetCmdParamRanges(std::string_view command, std::string_view parameter, const ValueRange& range,
                           const ConditionContents& list);
    bool SetCmdParamSymbols(std::string_view command, std::string_view parameter,
                            const std::vector<std::string_view>& symbols, const ConditionContents& list);
    bool SetOverrideTimeout(std::string_view command, std::uint32_t millisec);

    // Storage used while merging another set in: values replace or extend
    // what is stored. list must be one of this set's lists.
    bool ReplaceProperty(std::string_view name, const Variant& value, const ConditionContents& list);
    bool AddMergedSymbol(std::string_view command, std::string_view parameter, std::string_view symbol,
                         const ConditionContents* list);
    bool SetMergedRange(std::string_view command, std::string_view parameter, const ValueRange& range,
                        const ConditionContents* list);
    void RaiseOverrideTimeout(std::string_view command, std::uint32_t millisec);

    // Queries. A null conditions pointer selects the unconditional values.
    const PropertyGroup* FindPropertyGroup(const ConditionContents* conditions) const;
    const Variant* FindProperty(std::string_view name, const ConditionContents* conditions) const;
    const Variant* FindProperty(const char* name, const ConditionContents* conditions) const
    {
        return name != nullptr ? FindProperty(std::string_view(name), conditions) : nullptr;
    }
    const CommandValueEntry* FindCommandValue(const char* command, const char* parameter,
                                              const ConditionContents* conditions) const;
    const std::pmr::list<PropertyGroup>& PropertyGroups() const { return propertyGroups_; }
    const CommandValues& AllCommandValues() const { return commandValues_; }
    const OverrideTimeouts& Timeouts() const { return overrideTimeouts_; }

private:
    PropertyGroup& GroupFor(const ConditionContents& list);
    bool AddNewProperty(std::string_view name, Variant& value, const ConditionContents& list);
    bool AppendCommandValue(std::string_view command, std::string_view parameter, CommandValueEntry entry);
    // The entries of the pair, made empty when it has none yet.
    CommandValueEntries& EntriesFor(std::string_view command, std::string_view parameter);
    CommandValueEntries::iterator FindEntry(CommandValueEntries& entries, const ConditionContents& conditions);

    CapabilityArena arena_; // first, so that it outlives everything taken from it
    std::string fileName_;
    std::string hardwareType_;
    std::pmr::list<PropertyGroup> propertyGroups_{arena_.Memory()};
    CommandValues commandValues_{arena_.Memory()};
    std::vector<std::unique_ptr<ConditionContents>> conditionLists_;
    ConditionContents defaultList_;
    bool inConditionBlock_ = false;
    ConditionContents* currentList_ = nullptr;
    OverrideTimeouts overrideTimeouts_{arena_.Memory()};
};

} // namespace TarnLinkPrivate

#endif
