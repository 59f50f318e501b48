#include <iterator>
#include <string>

#include "hwcaps/buffer_copy.h"
#include "hwcaps/hwcaps_data.h"
#include "hwcaps/hwcaps_registry.h"
#include "dictionary/command_registry.h"
#include "tarnlink/TarnHWCaps.h"

namespace TarnLink {
namespace HWCaps {

using TarnLinkPrivate::CommandValueEntry;
using TarnLinkPrivate::ConditionContents;
using TarnLinkPrivate::SymbolList;
using TarnLinkPrivate::ValueRange;
using VariantImpl::variant_cast;

struct TarnHWCaps::Record {
    std::string typeName;
};

namespace {

const ConditionContents* ContentsOf(const CmdParamConditionList* cond)
{
    return cond != nullptr ? &cond->Contents() : nullptr;
}

} // namespace

TarnHWCaps::TarnHWCaps(const char* hardwareType) : record_(new Record{hardwareType}), data_(nullptr)
{
    TarnLinkPrivate::FindHWCapsEntry(record_->typeName, &data_);
}

TarnHWCaps::~TarnHWCaps() { delete record_; }

const char* TarnHWCaps::GetHWGuidOrName() const { return record_->typeName.c_str(); }

const char* TarnHWCaps::GetHWCapsFilename() const
{
    return data_ != nullptr ? data_->FileName().c_str() : record_->typeName.c_str();
}

bool TarnHWCaps::HasProperty(const char* name, CmdParamConditionList* cond) const
{
    return data_ != nullptr && data_->FindProperty(name, ContentsOf(cond)) != nullptr;
}

bool TarnHWCaps::IsPropertyInteger(const char* name, CmdParamConditionList* cond) const
{
    return data_ != nullptr && variant_cast<std::int32_t>(data_->FindProperty(name, ContentsOf(cond))) != nullptr;
}

bool TarnHWCaps::IsPropertyString(const char* name, CmdParamConditionList* cond) const
{
    return data_ != nullptr && variant_cast<std::string>(data_->FindProperty(name, ContentsOf(cond))) != nullptr;
}

bool TarnHWCaps::GetPropertyAsInteger(const char* name, std::int32_t* value, CmdParamConditionList* cond) const
{
    if (data_ == nullptr || value == nullptr) {
        return false;
    }
    const std::int32_t* stored = variant_cast<std::int32_t>(data_->FindProperty(name, ContentsOf(cond)));
    if (stored == nullptr) {
        return false;
    }
    *value = *stored;
    return true;
}

bool TarnHWCaps::GetPropertyAsString(const char* name, std::size_t size, char* buffer,
                                     CmdParamConditionList* cond) const
{
    if (data_ == nullptr) {
        TarnLinkPrivate::CopyValueOut(std::string(), size, buffer);
        return false;
    }
    const std::string* stored = variant_cast<std::string>(data_->FindProperty(name, ContentsOf(cond)));
    return stored != nullptr && TarnLinkPrivate::CopyValueOut(*stored, size, buffer);
}

std::size_t TarnHWCaps::GetNumProperties(CmdParamConditionList* cond) const
{
    const TarnLinkPrivate::PropertyGroup* group =
        data_ != nullptr ? data_->FindPropertyGroup(ContentsOf(cond)) : nullptr;
    return group != nullptr ? group->All().size() : 0;
}

bool TarnHWCaps::GetNthPropertyName(std::size_t n, std::size_t size, char* buffer, CmdParamConditionList* cond) const
{
    if (data_ == nullptr) {
        TarnLinkPrivate::CopyValueOut(std::string(), size, buffer);
        return false;
    }
    const TarnLinkPrivate::PropertyGroup* group = data_->FindPropertyGroup(ContentsOf(cond));
    if (group == nullptr || n >= group->All().size()) {
        return false;
    }
    auto property = group->All().begin();
    std::advance(property, static_cast<std::ptrdiff_t>(n));
    return TarnLinkPrivate::CopyNameOut(property->first, size, buffer);
}

bool TarnHWCaps::CommandParameterHasDefinedValues(const char* command, const char* parameter,
                                                  CmdParamConditionList* cond) const
{
    return data_ != nullptr && data_->FindCommandValue(command, parameter, ContentsOf(cond)) != nullptr;
}

namespace {

template <class T>
const T* CommandValueAs(const TarnLinkPrivate::HWCapsData* data, const char* command, const char* parameter,
                        const CmdParamConditionList* cond)
{
    if (data == nullptr) {
        return nullptr;
    }
    const CommandValueEntry* entry = data->FindCommandValue(command, parameter, ContentsOf(cond));
    return entry != nullptr ? variant_cast<T>(&entry->value) : nullptr;
}

} // namespace

bool TarnHWCaps::CommandParameterHasRangeValues(const char* command, const char* parameter,
                                                CmdParamConditionList* cond) const
{
    return CommandValueAs<ValueRange>(data_, command, parameter, cond) != nullptr;
}

bool TarnHWCaps::CommandParameterHasSymbolValues(const char* command, const char* parameter,
                                                 CmdParamConditionList* cond) const
{
    return CommandValueAs<SymbolList>(data_, command, parameter, cond) != nullptr;
}

bool TarnHWCaps::GetCommandParameterNumSymbolValues(const char* command, const char* parameter, std::int32_t* count,
                                                    CmdParamConditionList* cond) const
{
    const SymbolList* symbols = CommandValueAs<SymbolList>(data_, command, parameter, cond);
    if (count == nullptr || symbols == nullptr) {
        return false;
    }
    *count = static_cast<std::int32_t>(symbols->size());
    return true;
}

bool TarnHWCaps::GetCommandParameterNthSymbolValue(const char* command, const char* parameter, std::int32_t n,
                                                   std::size_t size, char* buffer, CmdParamConditionList* cond) const
{
    if (data_ == nullptr) {
        TarnLinkPrivate::CopyValueOut(std::string(), size, buffer);
        return false;
    }
    const SymbolList* symbols = CommandValueAs<SymbolList>(data_, command, parameter, cond);
    if (symbols == nullptr || n < 0 || static_cast<std::size_t>(n) >= symbols->size()) {
        return false;
    }
    auto symbol = symbols->begin();
    std::advance(symbol, n);
    return TarnLinkPrivate::CopyValueOut(*symbol, size, buffer);
}

bool TarnHWCaps::GetCommandParameterRanges(const char* command, const char* parameter, std::int32_t* low,
                                           std::int32_t* high, CmdParamConditionList* cond) const
{
    const ValueRange* range = CommandValueAs<ValueRange>(data_, command, parameter, cond);
    if (low == nullptr || high == nullptr || range == nullptr) {
        return false;
    }
    *low = range->first;
    *high = range->second;
    return true;
}

bool TarnHWCaps::HasCommandOverrideTimeoutValue(const char* command) const
{
    return data_ != nullptr && command != nullptr && data_->Timeouts().count(command) != 0;
}

bool TarnHWCaps::GetCommandOverrideTimeoutValue(const char* command, std::uint32_t& millisec) const
{
    if (data_ == nullptr) {
        return false;
    }
    millisec = 0;
    if (command == nullptr) {
        return false;
    }
    const auto stored = data_->Timeouts().find(command);
    if (stored == data_->Timeouts().end()) {
        return false;
    }
    millisec = stored->second;
    return true;
}

bool TarnHWCaps::ConfigureOverrideTimeoutsFromHWCaps() const
{
    if (data_ == nullptr) {
        return false;
    }
    for (const auto& timeout : data_->Timeouts()) {
        if (!TarnLinkPrivate::SetOverrideTimeoutMillisec(timeout.first, timeout.second)) {
            return false;
        }
    }
    return true;
}

std::int32_t TarnHWCaps::GetNumCmdParamConditionLists() const
{
    return data_ != nullptr ? static_cast<std::int32_t>(data_->ConditionLists().size()) : 0;
}

bool TarnHWCaps::GetNthCmdParamConditionListKeyname(std::int32_t n, char* buffer, std::size_t size) const
{
    if (data_ == nullptr) {
        TarnLinkPrivate::CopyValueOut(std::string(), size, buffer);
        return false;
    }
    if (n < 0 || n >= GetNumCmdParamConditionLists()) {
        return false;
    }
    return TarnLinkPrivate::CopyNameOut(data_->ConditionLists()[static_cast<std::size_t>(n)]->keyname, size, buffer);
}

bool TarnHWCaps::HasCmdParamConditionListKeyname(const char* keyname) const
{
    if (data_ == nullptr || keyname == nullptr) {
        return false;
    }
    for (const auto& list : data_->ConditionLists()) {
        if (list->keyname == keyname) {
            return true;
        }
    }
    return false;
}

CmdParamConditionList* TarnHWCaps::CreateCmdParamConditionListByKeyname(const char* keyname) const
{
    auto* created = new CmdParamConditionList();
    if (data_ == nullptr || keyname == nullptr) {
        return created;
    }
    for (const auto& list : data_->ConditionLists()) {
        if (list->keyname == keyname) {
            *created->contents_ = *list;
            break;
        }
    }
    return created;
}

} // namespace HWCaps
} // namespace TarnLink
