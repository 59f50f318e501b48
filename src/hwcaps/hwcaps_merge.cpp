#include <string>
#include <ostream>
#include <vector>

#include "diagnostics/diagnostics.h"
#include "hwcaps/hwcaps_data.h"
#include "hwcaps/caps_handle_record.h"
#include "tarnlink/TarnHWCaps.h"

// Merging folds an optional part's capability set (a plug-in board, a codec
// module) into the set of the hardware that carries it.

namespace TarnLink {
namespace HWCaps {

namespace {

constexpr char kDuplicateKeyname[] = "\n\nERROR - duplicate Condition list key found trying to merge options file : ";
constexpr char kPropertyNeitherKind[] = "\n\nERROR - IsPropertyInteger failed trying to merge options file : ";
constexpr char kSetStringPropertyFailed[] = "\n\nERROR - SetStringProperty failed trying to merge options file : ";
constexpr char kSetIntegerPropertyFailed[] = "\n\nERROR - SetIntegerProperty failed trying to merge options file : ";
constexpr char kAddSymbolFailed[] = "\n\nERROR - AddCmdParamSymbolValue failed trying to merge options file : ";
constexpr char kSetRangesFailed[] = "\n\nERROR - SetCmdParamRanges failed trying to merge options file : ";

using TarnLinkPrivate::CommandValueEntry;
using TarnLinkPrivate::ConditionContents;
using TarnLinkPrivate::HWCapsData;
using TarnLinkPrivate::PropertyGroup;
using VariantImpl::variant_cast;

bool Fail(const char* message, const HWCapsData& other)
{
    TarnLinkPrivate::ErrorMessage(message, other.FileName());
    return false;
}

void MergeTimeouts(HWCapsData& target, const HWCapsData& other)
{
    for (const auto& timeout : other.Timeouts()) {
        target.RaiseOverrideTimeout(timeout.first, timeout.second);
    }
}

// A list of the other set without keyname always collides: its empty keyname
// names the target's default list.
bool MergeConditionLists(HWCapsData& target, const HWCapsData& other)
{
    for (const auto& list : other.ConditionLists()) {
        if (target.FindListByKeyname(list->keyname) != nullptr) {
            return Fail(kDuplicateKeyname, other);
        }
    }
    for (const auto& list : other.ConditionLists()) {
        if (target.FindListWithSameConditions(*list) == nullptr) {
            target.AppendConditionList(*list);
        }
    }
    return true;
}

bool MergePropertyGroup(HWCapsData& target, const HWCapsData& other, const PropertyGroup& group)
{
    for (const PropertyGroup::Property* property : group.InNameOrder()) {
        const bool isString = variant_cast<std::string>(&property->value) != nullptr;
        if (!isString && variant_cast<std::int32_t>(&property->value) == nullptr) {
            return Fail(kPropertyNeitherKind, other);
        }
        if (!target.ReplaceProperty(property->name, property->value, group.conditions)) {
            return Fail(isString ? kSetStringPropertyFailed : kSetIntegerPropertyFailed, other);
        }
    }
    return true;
}

// The other set's default group first, then the group of each of its
// condition lists in file order.
bool MergeProperties(HWCapsData& target, const HWCapsData& other)
{
    std::vector<const ConditionContents*> order{&other.DefaultList()};
    for (const auto& list : other.ConditionLists()) {
        order.push_back(list.get());
    }
    for (const ConditionContents* conditions : order) {
        const PropertyGroup* group = other.FindPropertyGroup(conditions);
        if (group != nullptr && !MergePropertyGroup(target, other, *group)) {
            return false;
        }
    }
    return true;
}

struct EntryRef {
    std::string_view command;
    std::string_view parameter;
    const CommandValueEntry* entry;
};

bool MergeCommandValue(HWCapsData& target, const HWCapsData& other, const EntryRef& ref)
{
    // After the lists were merged every conditional entry has its list in the
    // target; one that has none cannot be added.
    const ConditionContents* list = target.FindListWithSameConditions(*ref.entry->conditions);
    if (!ref.entry->range) {
        for (const std::string_view symbol : ref.entry->symbols) {
            if (!target.AddMergedSymbol(ref.command, ref.parameter, symbol, list)) {
                return Fail(kAddSymbolFailed, other);
            }
        }
        return true;
    }
    if (!target.SetMergedRange(ref.command, ref.parameter, *ref.entry->range, list)) {
        return Fail(kSetRangesFailed, other);
    }
    return true;
}

// Entries are taken from the last to the first in (command, parameter,
// stored) order.
bool MergeCommandValues(HWCapsData& target, const HWCapsData& other)
{
    std::vector<EntryRef> entries;
    for (const auto& command : other.AllCommandValues()) {
        for (const auto& parameter : command.second) {
            for (const CommandValueEntry& entry : parameter.second) {
                entries.push_back({command.first, parameter.first, &entry});
            }
        }
    }
    for (auto ref = entries.rbegin(); ref != entries.rend(); ++ref) {
        if (!MergeCommandValue(target, other, *ref)) {
            return false;
        }
    }
    return true;
}

} // namespace

bool TarnHWCaps::MergeHWCaps(TarnHWCaps* other)
{
    HWCapsData* data = record_->Data();
    const HWCapsData* otherData = other != nullptr ? other->record_->Data() : nullptr;
    if (data == nullptr || otherData == nullptr) {
        return false;
    }
    HWCapsData& target = *data;
    const HWCapsData& source = *otherData;
    if (&target == &source) {
        return true;
    }
    MergeTimeouts(target, source);
    return MergeConditionLists(target, source) && MergeProperties(target, source) && MergeCommandValues(target, source);
}

} // namespace HWCaps
} // namespace TarnLink
