#include <iterator>
#include <memory>

#include "hwcaps/buffer_copy.h"
#include "hwcaps/condition_contents.h"
#include "tarnlink/TarnHWCaps.h"

namespace TarnLink {
namespace HWCaps {

using TarnLinkPrivate::ConditionContents;

CmdParamConditionList::CmdParamConditionList() : contents_(std::make_unique<ConditionContents>()) {}

CmdParamConditionList::CmdParamConditionList(const CmdParamConditionList& other)
    : contents_(std::make_unique<ConditionContents>(*other.contents_))
{
}

CmdParamConditionList& CmdParamConditionList::operator=(const CmdParamConditionList& other)
{
    if (this != &other) {
        *contents_ = *other.contents_;
    }
    return *this;
}

CmdParamConditionList::~CmdParamConditionList() = default;

bool CmdParamConditionList::AddCmdParamIntegerValue(const char* command, const char* parameter, std::int32_t value)
{
    return TarnLinkPrivate::AddIntegerCondition(*contents_, command, parameter, value);
}

bool CmdParamConditionList::AddCmdParamSymbolValue(const char* command, const char* parameter, const char* symbol)
{
    return TarnLinkPrivate::AddSymbolCondition(*contents_, command, parameter, symbol);
}

void CmdParamConditionList::RemoveCmdParamValue(const char* command, const char* parameter)
{
    if (command == nullptr || parameter == nullptr) {
        return;
    }
    const auto commandEntry = contents_->conditions.find(command);
    if (commandEntry == contents_->conditions.end()) {
        return;
    }
    commandEntry->second.erase(parameter);
    if (commandEntry->second.empty()) {
        contents_->conditions.erase(commandEntry);
    }
}

bool CmdParamConditionList::ConditionExists(const char* command, const char* parameter) const
{
    return contents_->Find(command, parameter) != nullptr;
}

bool CmdParamConditionList::GetConditionValue(const char* command, const char* parameter, std::int32_t* value) const
{
    const TarnLinkPrivate::ConditionValue* condition = contents_->Find(command, parameter);
    if (value == nullptr || condition == nullptr) {
        return false;
    }
    *value = condition->value;
    return true;
}

std::int32_t CmdParamConditionList::GetNumConditions() const { return static_cast<std::int32_t>(contents_->Count()); }

bool CmdParamConditionList::GetNthConditionInfo(std::int32_t n, std::size_t commandSize, char* command,
                                                std::size_t parameterSize, char* parameter, std::int32_t* value,
                                                std::size_t symbolSize, char* symbol) const
{
    if (value == nullptr || n < 0 || n >= GetNumConditions()) {
        return false;
    }
    std::int32_t remaining = n;
    for (const auto& commandEntry : contents_->conditions) {
        const auto count = static_cast<std::int32_t>(commandEntry.second.size());
        if (remaining >= count) {
            remaining -= count;
            continue;
        }
        auto parameterEntry = commandEntry.second.begin();
        std::advance(parameterEntry, remaining);
        const TarnLinkPrivate::ConditionValue& condition = parameterEntry->second;
        if (!TarnLinkPrivate::NameFits(commandEntry.first, commandSize, command) ||
            !TarnLinkPrivate::NameFits(parameterEntry->first, parameterSize, parameter) ||
            !TarnLinkPrivate::NameFits(condition.symbol, symbolSize, symbol)) {
            return false;
        }
        TarnLinkPrivate::CopyNameOut(commandEntry.first, commandSize, command);
        TarnLinkPrivate::CopyNameOut(parameterEntry->first, parameterSize, parameter);
        *value = condition.value;
        TarnLinkPrivate::CopyNameOut(condition.symbol, symbolSize, symbol);
        return true;
    }
    return false;
}

bool CmdParamConditionList::MatchRequired(const CmdParamConditionList& other) const
{
    return contents_->SameConditionsAs(*other.contents_);
}

} // namespace HWCaps
} // namespace TarnLink
