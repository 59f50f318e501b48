#include <iterator>
#include <memory>
#include <string>

#include "hwcaps/buffer_copy.h"
#include "hwcaps/caps_handle_record.h"
#include "hwcaps/hwcaps_data.h"
#include "hwcaps/hwcaps_registry.h"
#include "dictionary/command_registry.h"
#include "tarnlink/TarnHWCaps.h"

namespace TarnLink {
namespace HWCaps {

using TarnLinkPrivate::CapsHandleAccess;
using TarnLinkPrivate::CommandValueEntry;
using TarnLinkPrivate::ConditionContents;
using TarnLinkPrivate::HWCapsData;
using TarnLinkPrivate::SymbolNames;
using TarnLinkPrivate::ValueRange;
using VariantImpl::variant_cast;

const ConditionContents* TarnHWCaps::ConditionsOf(const CmdParamConditionList* cond)
{
    return cond != nullptr ? cond->contents_.get() : nullptr;
}

TarnHWCaps::TarnHWCaps(const char* hardwareType) : record_(std::make_unique<Record>())
{
    record_->typeName = hardwareType;
    TarnLinkPrivate::FindHWCapsEntry(record_->typeName, &record_->data);
}

TarnHWCaps::~TarnHWCaps() = default;

const char* TarnHWCaps::GetHWGuidOrName() const { return record_->typeName.c_str(); }

const char* TarnHWCaps::GetHWCapsFilename() const
{
    const HWCapsData* data = record_->Data();
    return data != nullptr ? data->FileName().c_str() : record_->typeName.c_str();
}

bool TarnHWCaps::HasProperty(const char* name, CmdParamConditionList* cond) const
{
    return CapsHandleAccess::Property(*this, name, cond) != nullptr;
}

bool TarnHWCaps::IsPropertyInteger(const char* name, CmdParamConditionList* cond) const
{
    return variant_cast<std::int32_t>(CapsHandleAccess::Property(*this, name, cond)) != nullptr;
}

bool TarnHWCaps::IsPropertyString(const char* name, CmdParamConditionList* cond) const
{
    return variant_cast<std::string>(CapsHandleAccess::Property(*this, name, cond)) != nullptr;
}

bool TarnHWCaps::GetPropertyAsInteger(const char* name, std::int32_t* value, CmdParamConditionList* cond) const
{
    const std::int32_t* stored = variant_cast<std::int32_t>(CapsHandleAccess::Property(*this, name, cond));
    if (stored == nullptr || value == nullptr) {
        return false;
    }
    *value = *stored;
    return true;
}

bool TarnHWCaps::GetPropertyAsString(const char* name, std::size_t size, char* buffer,
                                     CmdParamConditionList* cond) const
{
    const HWCapsData* data = record_->Data();
    if (data == nullptr) {
        TarnLinkPrivate::CopyValueOut(std::string(), size, buffer);
        return false;
    }
    const std::string* stored = variant_cast<std::string>(CapsHandleAccess::Property(*this, name, cond));
    return stored != nullptr && TarnLinkPrivate::CopyValueOut(*stored, size, buffer);
}

std::size_t TarnHWCaps::GetNumProperties(CmdParamConditionList* cond) const
{
    const HWCapsData* data = record_->Data();
    const TarnLinkPrivate::PropertyGroup* group =
        data != nullptr ? data->FindPropertyGroup(ConditionsOf(cond)) : nullptr;
    return group != nullptr ? group->InNameOrder().size() : 0;
}

bool TarnHWCaps::GetNthPropertyName(std::size_t n, std::size_t size, char* buffer, CmdParamConditionList* cond) const
{
    const HWCapsData* data = record_->Data();
    if (data == nullptr) {
        TarnLinkPrivate::CopyValueOut(std::string(), size, buffer);
        return false;
    }
    const TarnLinkPrivate::PropertyGroup* group = data->FindPropertyGroup(ConditionsOf(cond));
    if (group == nullptr || n >= group->InNameOrder().size()) {
        return false;
    }
    return TarnLinkPrivate::CopyNameOut(group->InNameOrder()[n]->name, size, buffer);
}

bool TarnHWCaps::CommandParameterHasDefinedValues(const char* command, const char* parameter,
                                                  CmdParamConditionList* cond) const
{
    const HWCapsData* data = record_->Data();
    return data != nullptr && data->FindCommandValue(command, parameter, ConditionsOf(cond)) != nullptr;
}

namespace {

const CommandValueEntry* CommandValueOf(const HWCapsData* data, const char* command, const char* parameter,
                                        const ConditionContents* conditions)
{
    return data != nullptr ? data->FindCommandValue(command, parameter, conditions) : nullptr;
}

const ValueRange* RangeOf(const CommandValueEntry* entry)
{
    return entry != nullptr && entry->range ? &*entry->range : nullptr;
}

const SymbolNames* SymbolsOf(const CommandValueEntry* entry)
{
    return entry != nullptr && !entry->range ? &entry->symbols : nullptr;
}

} // namespace

bool TarnHWCaps::CommandParameterHasRangeValues(const char* command, const char* parameter,
                                                CmdParamConditionList* cond) const
{
    return RangeOf(CommandValueOf(record_->Data(), command, parameter, ConditionsOf(cond))) != nullptr;
}

bool TarnHWCaps::CommandParameterHasSymbolValues(const char* command, const char* parameter,
                                                 CmdParamConditionList* cond) const
{
    return SymbolsOf(CommandValueOf(record_->Data(), command, parameter, ConditionsOf(cond))) != nullptr;
}

bool TarnHWCaps::GetCommandParameterNumSymbolValues(const char* command, const char* parameter, std::int32_t* count,
                                                    CmdParamConditionList* cond) const
{
    const SymbolNames* symbols = SymbolsOf(CommandValueOf(record_->Data(), command, parameter, ConditionsOf(cond)));
    if (count == nullptr || symbols == nullptr) {
        return false;
    }
    *count = static_cast<std::int32_t>(symbols->size());
    return true;
}

bool TarnHWCaps::GetCommandParameterNthSymbolValue(const char* command, const char* parameter, std::int32_t n,
                                                   std::size_t size, char* buffer, CmdParamConditionList* cond) const
{
    const HWCapsData* data = record_->Data();
    if (data == nullptr) {
        TarnLinkPrivate::CopyValueOut(std::string(), size, buffer);
        return false;
    }
    const SymbolNames* symbols = SymbolsOf(CommandValueOf(data, command, parameter, ConditionsOf(cond)));
    if (symbols == nullptr || n < 0 || static_cast<std::size_t>(n) >= symbols->size()) {
        return false;
    }
    return TarnLinkPrivate::CopyValueOut((*symbols)[static_cast<std::size_t>(n)], size, buffer);
}

bool TarnHWCaps::GetCommandParameterRanges(const char* command, const char* parameter, std::int32_t* low,
                                           std::int32_t* high, CmdParamConditionList* cond) const
{
    const ValueRange* range = RangeOf(CommandValueOf(record_->Data(), command, parameter, ConditionsOf(cond)));
    if (low == nullptr || high == nullptr || range == nullptr) {
        return false;
    }
    *low = range->first;
    *high = range->second;
    return true;
}

bool TarnHWCaps::HasCommandOverrideTimeoutValue(const char* command) const
{
    const HWCapsData* data = record_->Data();
    return data != nullptr && command != nullptr && data->Timeouts().count(std::string_view(command)) != 0;
}

bool TarnHWCaps::GetCommandOverrideTimeoutValue(const char* command, std::uint32_t& millisec) const
{
    const HWCapsData* data = record_->Data();
    if (data == nullptr) {
        return false;
    }
    millisec = 0;
    if (command == nullptr) {
        return false;
    }
    const auto stored = data->Timeouts().find(std::string_view(command));
    if (stored == data->Timeouts().end()) {
        return false;
    }
    millisec = stored->second;
    return true;
}

bool TarnHWCaps::ConfigureOverrideTimeoutsFromHWCaps() const
{
    const HWCapsData* data = record_->Data();
    if (data == nullptr) {
        return false;
    }
    for (const auto& timeout : data->Timeouts()) {
        if (!TarnLinkPrivate::SetOverrideTimeoutMillisec(timeout.first, timeout.second)) {
            return false;
        }
    }
    return true;
}

std::int32_t TarnHWCaps::GetNumCmdParamConditionLists() const
{
    const HWCapsData* data = record_->Data();
    return data != nullptr ? static_cast<std::int32_t>(data->ConditionLists().size()) : 0;
}

bool TarnHWCaps::GetNthCmdParamConditionListKeyname(std::int32_t n, char* buffer, std::size_t size) const
{
    const HWCapsData* data = record_->Data();
    if (data == nullptr) {
        TarnLinkPrivate::CopyValueOut(std::string(), size, buffer);
        return false;
    }
    if (n < 0 || n >= GetNumCmdParamConditionLists()) {
        return false;
    }
    return TarnLinkPrivate::CopyNameOut(data->ConditionLists()[static_cast<std::size_t>(n)]->keyname, size, buffer);
}

namespace {

// The first stored condition list in file order that bears the keyname; the
// default list never counts.
const ConditionContents* StoredListNamed(const HWCapsData* data, const char* keyname)
{
    if (data == nullptr || keyname == nullptr) {
        return nullptr;
    }
    for (const auto& list : data->ConditionLists()) {
        if (list->keyname == keyname) {
            return list.get();
        }
    }
    return nullptr;
}

} // namespace

bool TarnHWCaps::HasCmdParamConditionListKeyname(const char* keyname) const
{
    return StoredListNamed(record_->Data(), keyname) != nullptr;
}

CmdParamConditionList* TarnHWCaps::CreateCmdParamConditionListByKeyname(const char* keyname) const
{
    auto created = std::make_unique<CmdParamConditionList>();
    if (const ConditionContents* stored = StoredListNamed(record_->Data(), keyname)) {
        *created->contents_ = *stored;
    }
    return created.release(); // the host owns the list
}

} // namespace HWCaps
} // namespace TarnLink
