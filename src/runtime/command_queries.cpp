#include "runtime/command_queries.h"

#include <cstring>
#include <ostream>
#include <string_view>

#include "command/typed_access.h"
#include "dictionary/command_format.h"
#include "dictionary/command_registry.h"
#include "diagnostics/diagnostics.h"

namespace TarnLinkPrivate {

namespace {

constexpr char kSymbolCommandNotFound[] = "\nIsParameterEqualToSymbol - Command not found - Command : ";
constexpr char kSymbolNotFound[] = "\nIsParameterEqualToSymbol -  Symbol not found - Command : ";
constexpr char kSymbolLabel[] = " Symbol: ";
constexpr char kSymbolParamNotFound[] = "\nIsParameterEqualToSymbol -  Param not found - Command : ";
constexpr char kSymbolWrongType[] = "\nIsParameterEqualToSymbol -  Wrong Data Type - Command : ";
constexpr char kExtractCommandNotFound[] = "\nExtractDataParameterAsInt64 - Command not found - Command : ";
constexpr char kExtractParamNotFound[] = "\nExtractDataParameterAsInt64 -  Param not found - Command : ";
constexpr char kExtractWrongType[] = "\nExtractDataParameterAsInt64 -  Wrong Data Type - Command : ";
constexpr char kParamNameLabel[] = " ParamName: ";
constexpr char kDataTypeLabel[] = " DataType: ";

constexpr std::size_t kSymbolBufferSize = 256;
constexpr std::size_t kSmallestTypeBuffer = 8;

using TarnLink::TarnCommand;

// The texts a failed query writes: its "command not found", "param not
// found" and "wrong data type" messages.
struct QueryMessages {
    const char* commandNotFound;
    const char* paramNotFound;
    const char* wrongType;
};

constexpr QueryMessages kSymbolQueryMessages{kSymbolCommandNotFound, kSymbolParamNotFound, kSymbolWrongType};
constexpr QueryMessages kExtractMessages{kExtractCommandNotFound, kExtractParamNotFound, kExtractWrongType};

const CommandFormat* FindDefinitionOf(const char* commandName, const char* notFoundMessage)
{
    const CommandFormat* definition = FindCommandFormat(commandName);
    if (definition == nullptr) {
        VerboseMessage(notFoundMessage, commandName);
    }
    return definition;
}

void ReportParameterMessage(const char* message, const char* commandName, const char* paramName)
{
    VerboseMessage(message, commandName, kParamNameLabel, paramName);
}

// Reads the parameter with the getter of exactly its definition's type and
// widens it to 64-bit signed: signed types sign-extend, unsigned ones
// zero-extend, and UINT64 keeps its bit pattern.
bool ReadWidened(const TarnCommand& command, const char* paramName, ParamType type, std::int64_t* widened)
{
    return VisitIntegerType(type, [&](auto zero) {
        decltype(zero) value = zero;
        if (!GetTyped(command, paramName, value)) {
            return false;
        }
        *widened = static_cast<std::int64_t>(value);
        return true;
    });
}

bool IsNumeric(ParamType type) { return type != ParamType::kBytes && type != ParamType::kInvalid; }

// Values of up to 32 bits compare with a symbol as 32-bit patterns (a UINT32
// of 4294967295 equals -1); 64-bit values compare with the sign-extended symbol.
bool EqualsSymbolValue(ParamType type, std::int64_t widened, std::int32_t symbolValue)
{
    if (FixedSizeOf(type) <= 4) {
        return static_cast<std::uint32_t>(widened) == static_cast<std::uint32_t>(symbolValue);
    }
    return widened == static_cast<std::int64_t>(symbolValue);
}

// The definition's parameter, with the query's messages for a missing
// parameter and for a parameter that holds no number.
const ParameterDefinition* FindNumericParameter(const CommandFormat& definition, const char* commandName,
                                                const char* paramName, const QueryMessages& messages)
{
    const ParameterDefinition* parameter = definition.FindParameter(paramName);
    if (parameter == nullptr) {
        ReportParameterMessage(messages.paramNotFound, commandName, paramName);
        return nullptr;
    }
    if (!IsNumeric(parameter->type)) {
        VerboseMessage(messages.wrongType, commandName, kParamNameLabel, paramName, kDataTypeLabel,
                       ParamTypeName(parameter->type));
        return nullptr;
    }
    return parameter;
}

bool LookUpSymbol(const CommandFormat& definition, const char* commandName, const char* symbol, std::int32_t* value)
{
    if (definition.FindSymbol(symbol, value)) {
        return true;
    }
    VerboseMessage(kSymbolNotFound, commandName, kSymbolLabel, symbol);
    return false;
}

bool ExtractDataParameterAsInt64(const TarnCommand& command, const char* paramName, std::int64_t* value)
{
    if (command.IsParamSetBySymbol(paramName)) {
        char symbol[kSymbolBufferSize] = {};
        std::int32_t symbolValue = 0;
        if (!command.GetParamSetSymbol(paramName, symbol, sizeof symbol) ||
            !GetCommandSymbolicConstantValue(command, symbol, &symbolValue)) {
            return false;
        }
        *value = symbolValue;
        return true;
    }
    const char* commandName = command.GetCommandName();
    const CommandFormat* definition = FindDefinitionOf(commandName, kExtractMessages.commandNotFound);
    if (definition == nullptr) {
        return false;
    }
    const ParameterDefinition* parameter = FindNumericParameter(*definition, commandName, paramName, kExtractMessages);
    return parameter != nullptr && ReadWidened(command, paramName, parameter->type, value);
}

} // namespace

bool GetCommandSymbolicConstantValue(const TarnCommand& command, const char* symbol, std::int32_t* value)
{
    if (symbol == nullptr || value == nullptr) {
        return false;
    }
    const char* commandName = command.GetCommandName();
    const CommandFormat* definition = FindDefinitionOf(commandName, kSymbolCommandNotFound);
    return definition != nullptr && LookUpSymbol(*definition, commandName, symbol, value);
}

bool GetCommandSymbolicConstantValue(const char* commandName, const char* symbol, std::int32_t* value)
{
    if (commandName == nullptr || symbol == nullptr || value == nullptr || commandName[0] == '\0') {
        return false;
    }
    const CommandFormat* definition = FindDefinitionOf(commandName, kSymbolCommandNotFound);
    return definition != nullptr && LookUpSymbol(*definition, commandName, symbol, value);
}

bool IsCommandParamEqualToSymbol(const TarnCommand& command, const char* paramName, const char* symbol)
{
    if (paramName == nullptr || symbol == nullptr) {
        return false;
    }
    if (command.IsParamSetBySymbol(paramName)) {
        return command.IsParamSetBySymbolEqualTo(paramName, symbol);
    }
    const char* commandName = command.GetCommandName();
    const CommandFormat* definition = FindDefinitionOf(commandName, kSymbolCommandNotFound);
    std::int32_t symbolValue = 0;
    if (definition == nullptr || !LookUpSymbol(*definition, commandName, symbol, &symbolValue)) {
        return false;
    }
    const ParameterDefinition* parameter =
        FindNumericParameter(*definition, commandName, paramName, kSymbolQueryMessages);
    std::int64_t widened = 0;
    return parameter != nullptr && ReadWidened(command, paramName, parameter->type, &widened) &&
           EqualsSymbolValue(parameter->type, widened, symbolValue);
}

bool CompareCommandParams(const TarnCommand& commandA, const char* paramA, const TarnCommand& commandB,
                          const char* paramB, std::int32_t* result)
{
    if (paramA == nullptr || paramB == nullptr || result == nullptr) {
        return false;
    }
    std::int64_t valueA = 0;
    std::int64_t valueB = 0;
    if (!ExtractDataParameterAsInt64(commandA, paramA, &valueA) ||
        !ExtractDataParameterAsInt64(commandB, paramB, &valueB)) {
        return false;
    }
    *result = valueA > valueB ? 1 : (valueA == valueB ? 0 : -1);
    return true;
}

bool AreCommandParamsEquivalent(const TarnCommand& commandA, const char* paramA, const TarnCommand& commandB,
                                const char* paramB)
{
    std::int32_t result = 0;
    return CompareCommandParams(commandA, paramA, commandB, paramB, &result) && result == 0;
}

bool GetCommandParamTypeCodeString(const char* commandName, const char* paramName, std::size_t bufferSize, char* buffer)
{
    if (bufferSize < kSmallestTypeBuffer || buffer == nullptr || paramName == nullptr) {
        return false;
    }
    const CommandFormat* definition = FindCommandFormat(commandName);
    const ParameterDefinition* parameter = definition ? definition->FindParameter(paramName) : nullptr;
    if (parameter == nullptr) {
        return false;
    }
    const std::string_view keyword = ParamTypeName(parameter->type);
    if (keyword.size() >= bufferSize - 1) {
        return false;
    }
    std::memset(buffer, 0, bufferSize);
    std::memcpy(buffer, keyword.data(), keyword.size());
    return true;
}

} // namespace TarnLinkPrivate
