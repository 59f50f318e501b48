#include "fault_plan.h"

namespace TarnLinkVirtual {
namespace {

bool SameName(const std::string& name, const char* candidate) { return candidate != nullptr && name == candidate; }

} // namespace

void FaultPlan::AddForNextCommands(PlannedFault fault, std::uint32_t commandCount)
{
    if (commandCount > 0) {
        counted_.push_back(CountedFault{fault, commandCount});
    }
}

void FaultPlan::AddForCommand(const char* commandName, PlannedFault fault)
{
    if (commandName != nullptr) {
        named_.push_back(NamedFault{commandName, fault});
    }
}

void FaultPlan::Clear()
{
    counted_.clear();
    named_.clear();
}

bool FaultPlan::Take(const char* transmittedName, const char* resolvedName, PlannedFault* fault)
{
    for (const NamedFault& named : named_) {
        if (SameName(named.commandName, transmittedName) || SameName(named.commandName, resolvedName)) {
            *fault = named.fault;
            return true;
        }
    }
    if (counted_.empty()) {
        return false;
    }
    *fault = counted_.front().fault;
    if (--counted_.front().remaining == 0) {
        counted_.pop_front();
    }
    return true;
}

} // namespace TarnLinkVirtual
