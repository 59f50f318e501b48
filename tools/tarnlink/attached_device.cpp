#include "attached_device.h"

#include <stdexcept>

#include "recording_conduit.h"
#include "tarnlink/TarnNetwork.h"
#include "tool_context.h"

namespace TarnLinkTool {
namespace {

constexpr char kVirtualDeviceLabel[] = "Virtual device      ";
constexpr char kSubcomponentsLabel[] = "Sub-components      ";
constexpr char kDeviceServerLabel[] = "Device server       ";
constexpr char kSubcomponentsOfAServer[] =
    "--subcomponent describes the virtual device; a device server's device reports its own";

std::string JoinSubcomponents(const std::vector<std::string>& subcomponents)
{
    if (subcomponents.empty()) {
        return kNone;
    }
    std::string text;
    for (const std::string& subcomponent : subcomponents) {
        text += (text.empty() ? "\"" : ", \"") + subcomponent + "\"";
    }
    return text;
}

class VirtualAttachment : public AttachedDevice {
public:
    VirtualAttachment(const std::string& hardwareType, const std::vector<std::string>& subcomponents)
        : device_(hardwareType.c_str())
    {
        for (const std::string& subcomponent : subcomponents) {
            device_.AddSubcomponent(subcomponent.c_str());
        }
    }

    TarnLink::TarnConduit& Conduit() override { return device_; }
    std::vector<TarnLink::VirtualPacketExchange> TakePacketLog() override { return device_.TakePacketLog(); }
    void Describe(std::ostream& out) const override
    {
        out << kVirtualDeviceLabel << device_.GetHardwareType() << '\n';
        out << kSubcomponentsLabel << JoinSubcomponents(device_.GetSubcomponents()) << '\n';
    }

private:
    TarnLink::TarnVirtualDevice device_;
};

class NetworkAttachment : public AttachedDevice {
public:
    NetworkAttachment(const std::string& url, bool verbose) : conduit_(url), recorder_(conduit_)
    {
        conduit_.SetVerbose(verbose);
    }

    TarnLink::TarnConduit& Conduit() override { return recorder_; }
    std::vector<TarnLink::VirtualPacketExchange> TakePacketLog() override { return recorder_.TakeLog(); }
    void Describe(std::ostream& out) const override
    {
        out << kDeviceServerLabel << conduit_.GetAddress().ToUrl() << '\n';
    }

private:
    TarnLink::Net::TcpConduit conduit_;
    RecordingConduit recorder_;
};

} // namespace

std::unique_ptr<AttachedDevice> MakeAttachedDevice(const std::string& device,
                                                   const std::vector<std::string>& subcomponents, bool verbose)
{
    if (!TarnLink::Net::TcpAddress::IsUrl(device)) {
        return std::make_unique<VirtualAttachment>(device, subcomponents);
    }
    if (!subcomponents.empty()) {
        throw UsageFailure(kSubcomponentsOfAServer);
    }
    try {
        return std::make_unique<NetworkAttachment>(device, verbose);
    } catch (const std::invalid_argument& error) {
        throw UsageFailure(error.what());
    }
}

} // namespace TarnLinkTool
