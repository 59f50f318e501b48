#include "python_command.h"

#include <limits>
#include <map>
#include <sstream>
#include <type_traits>
#include <typeinfo>

#include "library_access.h"
#include "packet_bytes.h"
#include "tarnlink/TarnCommandFactory.h"

namespace py = pybind11;

namespace TarnLinkPython {
namespace {

// The definition's name of the byte stream type, from the library's table of parameter types.
#define TARNLINK_BYTES_TYPE(Id, keyword, CppType, dumpName) constexpr char kByteStreamType[] = keyword;
#include "dictionary/parameter_type_table.h"

constexpr char kTakesCommand[] = " takes a tarnlink.Command, not ";
constexpr char kUnknownCommand[] = "no command of this name is defined: ";
constexpr char kNoSuchParameter[] = " has no parameter ";
constexpr char kItsParameters[] = " (its parameters: ";
constexpr char kNotSet[] = " is not set";
constexpr char kNotASymbol[] = " is not a symbol of ";
constexpr char kItsSymbols[] = " (its symbols: ";
constexpr char kNoSymbols[] = " (it has no symbols)";
constexpr char kGiveNumber[] = ": give an int or a symbol's name (str), not ";
constexpr char kOutside[] = " is outside ";
constexpr char kNotRequestData[] = " is answered by the hardware; a request gives only its request-data parameters";
constexpr char kBadDirection[] = "a command text begins with 'send' or 'request', not ";
constexpr char kUnreadableText[] = "the command text has a value that cannot be read or no closing '.'";
constexpr char kTextTypeMismatch[] = " in the command text is not of that type";
constexpr char kTarnWord[] = "tarn";
constexpr char kSendWord[] = "send";
constexpr char kRequestWord[] = "request";
constexpr std::size_t kSymbolBufferSize = 256;

std::map<std::string, std::shared_ptr<const TarnLink::CommandInfo>> definitions;

std::string Quoted(const std::string& text) { return "'" + text + "'"; }

template <class Item, class Name>
std::string JoinNames(const std::vector<Item>& items, Name name)
{
    std::string joined;
    for (const Item& item : items) {
        joined += (joined.empty() ? "" : ", ") + name(item);
    }
    return joined;
}

// "HostChannel of AudioHostChanMute is UINT8", the start of a value's message.
std::string Subject(const PythonCommand& command, const TarnLink::ParameterInfo& parameter)
{
    return parameter.name + " of " + command.definition->name + " is " + parameter.typeName;
}

const TarnLink::ParameterInfo& FindParameter(const PythonCommand& command, const std::string& name)
{
    for (const TarnLink::ParameterInfo& parameter : command.definition->parameters) {
        if (parameter.name == name) {
            return parameter;
        }
    }
    throw py::key_error(command.definition->name + kNoSuchParameter + Quoted(name) + kItsParameters +
                        JoinNames(command.definition->parameters,
                                  [](const TarnLink::ParameterInfo& parameter) { return parameter.name; }) +
                        ")");
}

template <class Number>
Number CheckedNumber(const py::int_& value, const PythonCommand& command, const TarnLink::ParameterInfo& parameter)
{
    using Limits = std::numeric_limits<Number>;
    int overflow = 0;
    if constexpr (std::is_signed_v<Number>) {
        const long long number = PyLong_AsLongLongAndOverflow(value.ptr(), &overflow);
        if (overflow == 0 && number >= Limits::min() && number <= Limits::max()) {
            return static_cast<Number>(number);
        }
    } else {
        const unsigned long long number = PyLong_AsUnsignedLongLong(value.ptr());
        if (!PyErr_Occurred() && number <= Limits::max()) {
            return static_cast<Number>(number);
        }
        PyErr_Clear();
    }
    throw py::value_error(Subject(command, parameter) + ": " + py::repr(value).cast<std::string>() + kOutside +
                          std::to_string(+Limits::min()) + ".." + std::to_string(+Limits::max()));
}

void SetSymbol(PythonCommand& command, const TarnLink::ParameterInfo& parameter, const std::string& symbol)
{
    std::int32_t ignored = 0;
    if (!TarnLink::TarnCommandFactory::GetCommandSymbolicConstantValue(command.definition->name.c_str(), symbol.c_str(),
                                                                       &ignored)) {
        const std::vector<TarnLink::SymbolInfo>& symbols = command.definition->symbols;
        throw py::value_error(Quoted(symbol) + kNotASymbol + command.definition->name +
                              (symbols.empty() ? std::string(kNoSymbols)
                                               : kItsSymbols + JoinNames(symbols, [](const TarnLink::SymbolInfo& item) {
                                                     return item.name;
                                                 }) + ")"));
    }
    command.command.SetParamBySymbol(parameter.name.c_str(), symbol.c_str());
}

void SetByteStream(PythonCommand& command, const TarnLink::ParameterInfo& parameter, py::handle value)
{
    const std::string data = BytesOf(value, Subject(command, parameter));
    command.command.SetParamByteStream(parameter.name.c_str(), data.data(), data.size());
}

void SetNumber(PythonCommand& command, const TarnLink::ParameterInfo& parameter, py::handle value)
{
    if (!PyIndex_Check(value.ptr())) {
        throw py::type_error(Subject(command, parameter) + kGiveNumber +
                             py::type::of(value).attr("__name__").cast<std::string>());
    }
    const auto number = py::reinterpret_steal<py::int_>(PyNumber_Index(value.ptr()));
    if (!number) {
        throw py::error_already_set();
    }
    const char* name = parameter.name.c_str();
#define TARNLINK_INTEGER_TYPE(Id, keyword, size, CppType, dumpName)                             \
    if (parameter.typeName == keyword) {                                                        \
        command.command.SetParam##Id(name, CheckedNumber<CppType>(number, command, parameter)); \
        return;                                                                                 \
    }
#include "dictionary/parameter_type_table.h"
}

// The stored value as its definition's type; throws bad_cast when another type is stored.
py::object StoredValue(const TarnLink::TarnCommand& command, const TarnLink::ParameterInfo& parameter)
{
    const char* name = parameter.name.c_str();
    if (command.IsParamSetBySymbol(name)) {
        char symbol[kSymbolBufferSize] = {};
        command.GetParamSetSymbol(name, symbol, sizeof(symbol));
        return py::str(symbol);
    }
#define TARNLINK_INTEGER_TYPE(Id, keyword, size, CppType, dumpName) \
    if (parameter.typeName == keyword) {                            \
        CppType number{};                                           \
        command.GetParam##Id(name, number);                         \
        return py::int_(number);                                    \
    }
#include "dictionary/parameter_type_table.h"
    std::size_t length = 0;
    command.GetParamByteStreamLength(name, &length);
    std::string data(length, '\0');
    command.GetParamByteStream(name, data.data(), data.size(), &length);
    return py::bytes(data);
}

// Parsed text may give a parameter another type than its definition's.
void CheckParsedTypes(const PythonCommand& command)
{
    for (const TarnLink::ParameterInfo& parameter : command.definition->parameters) {
        const bool symbolForBytes =
            parameter.typeName == kByteStreamType && command.command.IsParamSetBySymbol(parameter.name.c_str());
        bool readable = !symbolForBytes;
        try {
            if (readable && command.command.IsParamSet(parameter.name.c_str())) {
                StoredValue(command.command, parameter);
            }
        } catch (const std::bad_cast&) {
            readable = false;
        }
        if (!readable) {
            throw py::type_error(Subject(command, parameter) + kTextTypeMismatch);
        }
    }
}

} // namespace

PythonCommand& CommandOf(const py::handle& value, const char* function)
{
    if (!py::isinstance<PythonCommand>(value)) {
        throw py::type_error(std::string(function) + kTakesCommand +
                             py::type::of(value).attr("__name__").cast<std::string>());
    }
    return value.cast<PythonCommand&>();
}

std::shared_ptr<const TarnLink::CommandInfo> FindDefinition(const std::string& name)
{
    RequireLoadedLibrary();
    const auto found = definitions.find(name);
    if (found != definitions.end()) {
        return found->second;
    }
    auto definition = std::make_shared<TarnLink::CommandInfo>();
    if (!TarnLink::TarnDictionary::GetCommandInfo(name.c_str(), definition.get())) {
        throw py::key_error(kUnknownCommand + Quoted(name));
    }
    definitions.emplace(name, definition);
    return definition;
}

void ForgetDefinitions() { definitions.clear(); }

PythonCommand MakeCommand(const std::string& name, bool request, const py::kwargs& parameters)
{
    PythonCommand made{TarnLink::TarnCommand(name.c_str()), FindDefinition(name)};
    if (request) {
        made.command.SetupRequestDataCommand();
    }
    for (const auto& item : parameters) {
        const auto parameterName = item.first.cast<std::string>();
        if (request && !FindParameter(made, parameterName).requiredForRequestData) {
            throw py::value_error(parameterName + " of " + name + kNotRequestData);
        }
        SetParameter(made, parameterName, item.second);
    }
    return made;
}

PythonCommand ParseCommand(const std::string& text)
{
    std::istringstream in(text);
    std::string word;
    in >> word;
    if (word == kTarnWord) {
        in >> word;
    }
    TarnLink::TarnCommand parsed;
    if (word == kSendWord) {
        parsed.SetupSendCommand();
    } else if (word == kRequestWord) {
        parsed.SetupRequestDataCommand();
    } else {
        throw py::value_error(kBadDirection + Quoted(word));
    }
    parsed.Parse(in);
    if (in.fail()) {
        throw py::value_error(kUnreadableText);
    }
    PythonCommand command{parsed, FindDefinition(parsed.GetCommandName())};
    CheckParsedTypes(command);
    return command;
}

PythonCommand CopyCommand(const TarnLink::TarnCommand& command)
{
    return PythonCommand{command, FindDefinition(command.GetCommandName())};
}

void SetParameter(PythonCommand& command, const std::string& name, py::handle value)
{
    const TarnLink::ParameterInfo& parameter = FindParameter(command, name);
    if (parameter.typeName == kByteStreamType) {
        SetByteStream(command, parameter, value);
    } else if (PyUnicode_Check(value.ptr())) {
        SetSymbol(command, parameter, value.cast<std::string>());
    } else {
        SetNumber(command, parameter, value);
    }
}

py::object GetParameter(const PythonCommand& command, const std::string& name)
{
    const TarnLink::ParameterInfo& parameter = FindParameter(command, name);
    if (!command.command.IsParamSet(name.c_str())) {
        throw py::key_error(name + " of " + command.definition->name + kNotSet);
    }
    return StoredValue(command.command, parameter);
}

std::vector<std::string> SetParameterNames(const PythonCommand& command)
{
    std::vector<std::string> names;
    for (const TarnLink::ParameterInfo& parameter : command.definition->parameters) {
        if (command.command.IsParamSet(parameter.name.c_str())) {
            names.push_back(parameter.name);
        }
    }
    return names;
}

std::string CommandText(const TarnLink::TarnCommand& command)
{
    std::ostringstream text;
    command.WriteParsable(text);
    const std::string written = text.str();
    return written.substr(written.find_first_not_of('\n'));
}

} // namespace TarnLinkPython
