#ifndef TARNLINK_VIRTUAL_FAULT_PLAN_H
#define TARNLINK_VIRTUAL_FAULT_PLAN_H

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "tarnlink/TarnVirtualDevice.h"

namespace TarnLinkVirtual {

struct PlannedFault {
    TarnLink::VirtualFault fault = TarnLink::VirtualFault::kTimeOut;
    std::uint32_t delayMillisec = 0;
};

// The faults a host asked for: some for the next packets, some for every
// packet of a named command.
class FaultPlan {
public:
    void AddForNextCommands(PlannedFault fault, std::uint32_t commandCount);
    void AddForCommand(const char* commandName, PlannedFault fault);
    void Clear();
    // The fault that hits a packet sent under transmittedName that turned out
    // to be resolvedName (either may be null). A named fault wins over a
    // counted one; a counted one is used up.
    bool Take(const char* transmittedName, const char* resolvedName, PlannedFault* fault);

private:
    struct CountedFault {
        PlannedFault fault;
        std::uint32_t remaining;
    };
    struct NamedFault {
        std::string commandName;
        PlannedFault fault;
    };

    std::deque<CountedFault> counted_;
    std::vector<NamedFault> named_;
};

} // namespace TarnLinkVirtual

#endif
