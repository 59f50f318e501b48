#include <CLI/CLI.hpp>
#include <algorithm>
#include <iomanip>
#include <memory>
#include <vector>

#include "attached_device.h"
#include "subcommands.h"
#include "tarnlink/TarnHWCaps.h"
#include "tarnlink/TarnHWCapsQueries.h"
#include "tool_context.h"

namespace TarnLinkTool {
namespace {

using TarnLink::HWCaps::CmdParamConditionList;

constexpr char kNoAnswer[] = "-";
constexpr char kDetectedLabel[] = "Detected hardware   ";
constexpr char kFileLabel[] = "Capability file     ";
constexpr char kFunctionHeading[] = "Function";
constexpr char kKindHeading[] = "Kind";
constexpr char kAnswerHeading[] = "Answer";
constexpr std::size_t kStringAnswerSize = 256;

using BooleanQuery = bool (*)(CmdParamConditionList*, std::int32_t);
using IntegerQuery = bool (*)(std::int32_t*, CmdParamConditionList*, std::int32_t);
using StringQuery = bool (*)(char*, std::size_t, CmdParamConditionList*, std::int32_t);

std::string Answer(BooleanQuery query) { return query(nullptr, 0) ? "true" : "false"; }

std::string Answer(IntegerQuery query)
{
    std::int32_t value = 0;
    return query(&value, nullptr, 0) ? std::to_string(value) : kNoAnswer;
}

std::string Answer(StringQuery query)
{
    char buffer[kStringAnswerSize] = {};
    return query(buffer, sizeof(buffer), nullptr, 0) ? std::string(buffer) : kNoAnswer;
}

struct CapabilityRow {
    const char* function;
    const char* kind;
    std::string answer;
};

std::vector<CapabilityRow> AskEveryCapability()
{
    std::vector<CapabilityRow> rows;
#define TARNLINK_KIND_Boolean "boolean"
#define TARNLINK_KIND_Integer "integer"
#define TARNLINK_KIND_String "string"
#define TARNLINK_HWCAPS_FUNCTION(name, key, kind) \
    rows.push_back(CapabilityRow{#name, TARNLINK_KIND_##kind, Answer(&TarnLink::HWCaps::name)});
#include "tarnlink/TarnHWCapsTable.h"
#undef TARNLINK_HWCAPS_FUNCTION
#undef TARNLINK_KIND_Boolean
#undef TARNLINK_KIND_Integer
#undef TARNLINK_KIND_String
    return rows;
}

void RunCaps(ToolContext& context, const DeviceOptions& device)
{
    const AttachedDevice& attached = context.AttachDevice(device);
    const TarnLink::HWCaps::TarnHWCaps* caps = TarnLink::HWCaps::TarnHWCapsManager::Instance()->GetHWCapsPtr().Get();
    std::ostream& out = context.Out();
    attached.Describe(out);
    out << kDetectedLabel << (caps != nullptr ? caps->GetHWGuidOrName() : kNone) << '\n';
    const char* file = caps != nullptr ? caps->GetHWCapsFilename() : nullptr;
    out << kFileLabel << (file != nullptr && *file != '\0' ? file : kNone) << "\n\n";

    const std::vector<CapabilityRow> rows = AskEveryCapability();
    std::size_t functionWidth = sizeof(kFunctionHeading) - 1;
    for (const CapabilityRow& row : rows) {
        functionWidth = std::max(functionWidth, std::char_traits<char>::length(row.function));
    }
    const int width = static_cast<int>(functionWidth);
    out << std::left << std::setw(width) << kFunctionHeading << "  " << std::setw(7) << kKindHeading << "  "
        << kAnswerHeading << '\n';
    for (const CapabilityRow& row : rows) {
        out << std::setw(width) << row.function << "  " << std::setw(7) << row.kind << "  " << row.answer << '\n';
    }
    out << std::right;
}

} // namespace

void AddCapsCommand(CLI::App& app, ToolContext& context)
{
    auto device = std::make_shared<DeviceOptions>();
    CLI::App* caps =
        app.add_subcommand("caps", "Detect the device's hardware and print the answer of every capability function");
    context.AddDeviceOptions(*caps, *device);
    caps->callback([&context, device] { RunCaps(context, *device); });
}

} // namespace TarnLinkTool
