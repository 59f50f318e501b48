#include "hwcaps/condition_contents.h"

#include "dictionary/command_registry.h"

namespace TarnLinkPrivate {

namespace {

const CommandFormat* FormatWithParameter(const char* command, const char* parameter)
{
    if (command == nullptr || parameter == nullptr) {
        return nullptr;
    }
    const CommandFormat* format = FindCommandFormat(command);
    if (format == nullptr || !format->HasParameter(parameter)) {
        return nullptr;
    }
    return format;
}

void SetCondition(ConditionContents& contents, const char* command, const char* parameter, const char* symbol,
                  std::int32_t value)
{
    ConditionValue& condition = contents.conditions[command][parameter];
    condition.symbol = symbol;
    condition.value = value;
}

} // namespace

std::size_t ConditionContents::Count() const
{
    std::size_t count = 0;
    for (const auto& command : conditions) {
        count += command.second.size();
    }
    return count;
}

bool ConditionContents::SamePairsAs(const ConditionContents& other) const
{
    for (const auto& command : conditions) {
        const auto otherCommand = other.conditions.find(command.first);
        if (otherCommand == other.conditions.end() || otherCommand->second.size() != command.second.size()) {
            return false;
        }
        for (const auto& parameter : command.second) {
            const auto otherParameter = otherCommand->second.find(parameter.first);
            if (otherParameter == otherCommand->second.end() ||
                otherParameter->second.value != parameter.second.value) {
                return false;
            }
        }
    }
    return true;
}

const ConditionValue* ConditionContents::Find(const char* command, const char* parameter) const
{
    if (command == nullptr || parameter == nullptr) {
        return nullptr;
    }
    const auto commandEntry = conditions.find(command);
    if (commandEntry == conditions.end()) {
        return nullptr;
    }
    const auto parameterEntry = commandEntry->second.find(parameter);
    return parameterEntry == commandEntry->second.end() ? nullptr : &parameterEntry->second;
}

bool AddIntegerCondition(ConditionContents& contents, const char* command, const char* parameter, std::int32_t value)
{
    if (FormatWithParameter(command, parameter) == nullptr) {
        return false;
    }
    SetCondition(contents, command, parameter, "", value);
    return true;
}

bool AddSymbolCondition(ConditionContents& contents, const char* command, const char* parameter, const char* symbol)
{
    const CommandFormat* format = FormatWithParameter(command, parameter);
    std::int32_t value = 0;
    if (format == nullptr || symbol == nullptr || !format->FindSymbol(symbol, &value)) {
        return false;
    }
    SetCondition(contents, command, parameter, symbol, value);
    return true;
}

} // namespace TarnLinkPrivate
