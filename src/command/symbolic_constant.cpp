// Symbolic constants resolved at compile time against the definition.

#include "command/symbolic_constant.h"

#include <ostream>

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
} // namespace

bool ConvertSymbolicConstant(ParameterValue* value, const CommandFormat& definition,
                             const ParameterDefinition& parameter)
{
    TraceMessage(kConverting);
    const std::string* symbol = value != nullptr ? value->Symbol() : nullptr;
    if (symbol == nullptr) {
        TraceMessage(kNoSymbolSet);
        return false;
    }
    std::int32_t number = 0;
    if (!definition.FindSymbol(symbol->c_str(), &number)) {
        TraceMessage(kSymbolName, *symbol, kNotFound);
        return false;
    }
    TraceMessage(kSymbolFound, *symbol, kValueLabel, number);
    // Narrower types keep the low bits; 64-bit types take the sign-extended value.
    const bool converted = VisitIntegerType(parameter.type, [&](auto zero) {
        value->SetInteger(static_cast<decltype(zero)>(number));
        return true;
    });
    if (!converted) {
        TraceMessage(kUnsupportedType, ParamTypeName(parameter.type));
    }
    return converted;
}

} // namespace TarnLinkPrivate
