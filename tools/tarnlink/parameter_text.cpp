#include "parameter_text.h"

#include <algorithm>
#include <cctype>
#include <iomanip>

#include "command/typed_access.h"
#include "hex_text.h"

namespace TarnLinkTool {
namespace {

constexpr char kSymbolWord[] = "SYMBOL ";
constexpr char kBytesUnit[] = " bytes)";
constexpr char kUnreadable[] = "(not readable as its type)";
constexpr char kEmptyStream[] = "(0 bytes)";
constexpr char kUnknownType[] = "(a value of the unknown type ";
constexpr std::size_t kShownStreamBytes = 24;
constexpr std::size_t kShownStreamText = 80;
constexpr std::size_t kSymbolBufferSize = 256;

template <class Value>
std::string NumberText(const TarnLink::TarnCommand& command, const char* name, Value value)
{
    if (!TarnLinkPrivate::GetTyped(command, name, value)) {
        return kUnreadable;
    }
    // Widen the 8-bit types so that they print as numbers, not characters.
    return std::to_string(+value);
}

std::string ByteStreamText(const TarnLink::TarnCommand& command, const char* name)
{
    char* data = nullptr;
    std::size_t length = 0;
    if (command.GetParamByteStreamLength(name, &length) && length == 0) {
        return kEmptyStream;
    }
    if (!command.GetParamByteStreamBuffer(name, &data, &length)) {
        return kUnreadable;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    const bool printable =
        length > 0 && std::all_of(bytes, bytes + length, [](unsigned char c) { return std::isprint(c) != 0; });
    if (printable && length <= kShownStreamText) {
        return "\"" + std::string(data, length) + "\" (" + std::to_string(length) + kBytesUnit;
    }
    return FormatHex(bytes, std::min(length, kShownStreamBytes)) + (length > kShownStreamBytes ? " ..." : "") + " (" +
           std::to_string(length) + kBytesUnit;
}

} // namespace

std::string ParameterValueText(const TarnLink::TarnCommand& command, const TarnLink::ParameterInfo& parameter)
{
    const char* name = parameter.name.c_str();
    if (command.IsParamSetBySymbol(name)) {
        char symbol[kSymbolBufferSize] = {};
        command.GetParamSetSymbol(name, symbol, sizeof(symbol));
        return kSymbolWord + std::string(symbol);
    }
    using TarnLinkPrivate::ParamType;
    const ParamType type = TarnLinkPrivate::ParamTypeFromName(parameter.typeName);
    if (type == ParamType::kBytes) {
        return ByteStreamText(command, name);
    }
    std::string text = kUnknownType + parameter.typeName + ")";
    TarnLinkPrivate::VisitIntegerType(type, [&](auto zero) {
        text = NumberText(command, name, zero);
        return true;
    });
    return text;
}

void WriteParameterLines(std::ostream& out, const TarnLink::TarnCommand& command, const TarnLink::CommandInfo& info,
                         const char* indent)
{
    std::size_t nameWidth = 0;
    for (const TarnLink::ParameterInfo& parameter : info.parameters) {
        nameWidth = std::max(nameWidth, parameter.name.size());
    }
    for (const TarnLink::ParameterInfo& parameter : info.parameters) {
        if (!command.IsParamSet(parameter.name.c_str())) {
            continue;
        }
        std::string value;
        try {
            value = ParameterValueText(command, parameter);
        } catch (const std::bad_cast&) {
            value = kUnreadable;
        }
        out << indent << std::left << std::setw(static_cast<int>(nameWidth)) << parameter.name << "  " << std::setw(6)
            << parameter.typeName << "  " << value << '\n';
    }
    out << std::right;
}

} // namespace TarnLinkTool
