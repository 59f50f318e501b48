// The submodule tarnlink.caps: the 78 capability questions, one function each,
// by name (query) and all at once (all), generated from the capability table.

#include <pybind11/stl.h>

#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "bindings.h"
#include "library_access.h"
#include "tarnlink/TarnHWCaps.h"
#include "tarnlink/TarnHWCapsQueries.h"

namespace py = pybind11;

namespace TarnLinkPython {
namespace {

using TarnLink::HWCaps::CmdParamConditionList;
using Answer = std::variant<bool, std::optional<std::int32_t>, std::optional<std::string>>;

constexpr char kUnknownCapability[] = "no capability function of this name: ";
constexpr char kBadCondition[] =
    "conditions are (command, parameter, value) tuples, value a 32-bit int or a symbol's name";
constexpr char kUnknownCondition[] = "the condition names no command parameter or symbol of the dictionary: ";
constexpr char kAsking[] = "asking a capability";
constexpr std::size_t kStringAnswerSize = 1024;

Answer AskBoolean(bool (*query)(CmdParamConditionList*, std::int32_t), CmdParamConditionList* conditions,
                  std::int32_t conduitId)
{
    return query(conditions, conduitId);
}

Answer AskInteger(bool (*query)(std::int32_t*, CmdParamConditionList*, std::int32_t), CmdParamConditionList* conditions,
                  std::int32_t conduitId)
{
    std::int32_t value = 0;
    return query(&value, conditions, conduitId) ? std::optional<std::int32_t>(value) : std::nullopt;
}

Answer AskString(bool (*query)(char*, std::size_t, CmdParamConditionList*, std::int32_t),
                 CmdParamConditionList* conditions, std::int32_t conduitId)
{
    char buffer[kStringAnswerSize] = {};
    return query(buffer, sizeof(buffer), conditions, conduitId) ? std::optional<std::string>(buffer) : std::nullopt;
}

struct Capability {
    const char* function;
    const char* property;
    const char* answer;
    Answer (*ask)(CmdParamConditionList*, std::int32_t);
};

#define TARNLINK_ANSWER_Boolean "True or False"
#define TARNLINK_ANSWER_Integer "an int, None when the hardware's file does not say"
#define TARNLINK_ANSWER_String "a str, None when the hardware's file does not say"
#define TARNLINK_HWCAPS_FUNCTION(name, key, kind)                                                        \
    {#name, key, TARNLINK_ANSWER_##kind, [](CmdParamConditionList* conditions, std::int32_t conduitId) { \
         return Ask##kind(&TarnLink::HWCaps::name, conditions, conduitId);                               \
     }},
const Capability kCapabilities[] = {
#include "tarnlink/TarnHWCapsTable.h"
};
#undef TARNLINK_HWCAPS_FUNCTION
#undef TARNLINK_ANSWER_Boolean
#undef TARNLINK_ANSWER_Integer
#undef TARNLINK_ANSWER_String

std::int32_t ConditionNumber(const py::object& value)
{
    try {
        return value.cast<std::int32_t>();
    } catch (const py::cast_error&) {
        throw py::type_error(kBadCondition);
    }
}

// conditions: None or an iterable of (command, parameter, value) tuples.
std::unique_ptr<CmdParamConditionList> ConditionsOf(const py::object& conditions)
{
    if (conditions.is_none()) {
        return nullptr;
    }
    if (!py::isinstance<py::iterable>(conditions)) {
        throw py::type_error(kBadCondition);
    }
    auto list = std::make_unique<CmdParamConditionList>();
    for (const py::handle item : conditions) {
        if (!py::isinstance<py::tuple>(item) || py::len(item) != 3) {
            throw py::type_error(kBadCondition);
        }
        const auto condition = py::reinterpret_borrow<py::tuple>(item);
        if (!PyUnicode_Check(condition[0].ptr()) || !PyUnicode_Check(condition[1].ptr())) {
            throw py::type_error(kBadCondition);
        }
        const auto command = condition[0].cast<std::string>();
        const auto parameter = condition[1].cast<std::string>();
        const py::object value = condition[2];
        const bool added =
            PyUnicode_Check(value.ptr())
                ? list->AddCmdParamSymbolValue(command.c_str(), parameter.c_str(), value.cast<std::string>().c_str())
                : list->AddCmdParamIntegerValue(command.c_str(), parameter.c_str(), ConditionNumber(value));
        if (!added) {
            throw py::value_error(kUnknownCondition + py::repr(condition).cast<std::string>());
        }
    }
    return list;
}

const Capability& FindCapability(const std::string& function)
{
    for (const Capability& capability : kCapabilities) {
        if (function == capability.function) {
            return capability;
        }
    }
    throw py::key_error(kUnknownCapability + function);
}

py::object Ask(const Capability& capability, const py::object& conditions, std::int32_t conduitId)
{
    RequireLoadedLibrary();
    const std::unique_ptr<CmdParamConditionList> list = ConditionsOf(conditions);
    return py::cast(InLibrary(Access::kExecute, kAsking, [&] { return capability.ask(list.get(), conduitId); }));
}

py::dict AskAll(const py::object& conditions, std::int32_t conduitId)
{
    RequireLoadedLibrary();
    const std::unique_ptr<CmdParamConditionList> list = ConditionsOf(conditions);
    const std::vector<Answer> answers = InLibrary(Access::kExecute, kAsking, [&] {
        std::vector<Answer> asked;
        for (const Capability& capability : kCapabilities) {
            asked.push_back(capability.ask(list.get(), conduitId));
        }
        return asked;
    });
    py::dict all;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        all[py::str(kCapabilities[i].function)] = py::cast(answers[i]);
    }
    return all;
}

} // namespace

void BindCapabilities(py::module_& module)
{
    py::module_ caps = module.def_submodule("caps", R"(The capability questions about the attached hardware.

    tarnlink.caps.GetSupportsHD()                       # True or False
    tarnlink.caps.query("GetMaxAudioChannels", conditions=[("SampleRate", "SampleRate", "SR_96000Hz")])
    tarnlink.caps.all()                                 # the answers of all functions by name

Each function takes conditions (None, or (command, parameter, value) tuples selecting the
values written under exactly those conditions) and conduit_id (0: the current hardware,
else the hardware detected with that conduit base id). The hardware is detected when a
conduit is installed (install_conduit(..., detect=True)).)");
    for (const Capability& capability : kCapabilities) {
        caps.def(
            capability.function,
            [&capability](const py::object& conditions, std::int32_t conduitId) {
                return Ask(capability, conditions, conduitId);
            },
            py::arg("conditions") = py::none(), py::arg("conduit_id") = 0,
            (std::string("The capability property ") + capability.property + ": " + capability.answer + ".").c_str());
    }
    caps.def(
        "query",
        [](const std::string& function, const py::object& conditions, std::int32_t conduitId) {
            return Ask(FindCapability(function), conditions, conduitId);
        },
        py::arg("function"), py::arg("conditions") = py::none(), py::arg("conduit_id") = 0,
        "The answer of the capability function of that name, e.g. 'GetSupportsHD'; KeyError for\n"
        "an unknown name.");
    caps.def("all", &AskAll, py::arg("conditions") = py::none(), py::arg("conduit_id") = 0,
             "The answers of every capability function, by function name.");
}

} // namespace TarnLinkPython
