#ifndef TARNLINK_TOOL_ATTACHED_DEVICE_H
#define TARNLINK_TOOL_ATTACHED_DEVICE_H

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "tarnlink/TarnHostInterfaces.h"
#include "tarnlink/TarnVirtualDevice.h"

namespace TarnLinkTool {

// What the lines of caps show where there is no value.
constexpr char kNone[] = "(none)";

// The device that run and caps talk to: the virtual device in the tool's own
// process, or a device server reached over TCP. Either way every packet
// exchanged is logged, so that run shows the same lines for both.
class AttachedDevice {
public:
    virtual ~AttachedDevice() = default;

    virtual TarnLink::TarnConduit& Conduit() = 0;
    // The packets exchanged since the last call.
    virtual std::vector<TarnLink::VirtualPacketExchange> TakePacketLog() = 0;
    // The lines of caps that say which device answered.
    virtual void Describe(std::ostream& out) const = 0;
};

// device is a tcp://HOST:PORT address of a device server, or else the
// hardware type of a virtual device with these sub-components. A malformed
// address or sub-components for a server throw a UsageFailure.
std::unique_ptr<AttachedDevice> MakeAttachedDevice(const std::string& device,
                                                   const std::vector<std::string>& subcomponents, bool verbose);

} // namespace TarnLinkTool

#endif
