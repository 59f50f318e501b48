// Symbolic constants resolved at compile time against the definition.

#include "command/symbolic_constant.h"

#include <ostream>

#include "command/typed_access.h"
#include "diagnostics/diagnostics.h"

namespace TarnLinkPrivate {

namespace {
constexpr char kConverting[] = "\n\tConverting Symbolic Constant to data value";
constexpr char kNoSymbolSet[] = "\n\tParam does not have Symbol set!";
constexpr char kSymbolName[] = "\n\tSymbol Name: ";
constexpr char kNotFound[] = " NOT FOUND!";
constexpr char kSymbolFound[] = "\n\tSymbolic Constant Found - Name: ";
constexpr char kValueLabel[] = " Value: ";
constexpr char kUnsupportedType[] = " Unsupported data type for Symbolic Constant - Type: ";
// A stored symbol has at most 254 bytes, so the text always ends with a zero.
constexpr std::size_t kSymbolBufferSize = 256;
} // namespace

bool ConvertSymbolicConstant(TarnLink::TarnCommand& command, const CommandFormat& definition,
                             const ParameterDefinition& parameter)
{
    TraceMessage(kConverting);
    char symbol[kSymbolBufferSize] = {};
    if (!command.GetParamSetSymbol(parameter.name.c_str(), symbol, sizeof(symbol))) {
        TraceMessage(kNoSymbolSet);
        return false;
    }
    std::int32_t value = 0;
    if (!definition.FindSymbol(symbol, &value)) {
        TraceMessage(kSymbolName, symbol, kNotFound);
        return false;
    }
    TraceMessage(kSymbolFound, symbol, kValueLabel, value);
    // Narrower types keep the low bits; 64-bit types take the sign-extended value.
    const bool converted = VisitIntegerType(parameter.type, [&](auto zero) {
        SetTyped(command, parameter.name.c_str(), static_cast<decltype(zero)>(value));
        return true;
    });
    if (!converted) {
        TraceMessage(kUnsupportedType, parameter.typeName);
    }
    return converted;
}

} // namespace TarnLinkPrivate
