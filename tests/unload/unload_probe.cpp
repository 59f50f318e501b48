// A plug-in that drives TarnLink, for the test that unloads it (and TarnLink
// with it) while a thread that executed through it goes on running.

#include "tarnlink/TarnCommandFactory.h"
#include "tarnlink/TarnVirtualDevice.h"

#include <memory>

#ifdef _WIN32
#    define PROBE_EXPORT extern "C" __declspec(dllexport)
#else
#    define PROBE_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace {

constexpr std::int32_t kDeviceId = 1;

std::unique_ptr<TarnLink::TarnVirtualDevice>& Device()
{
    static std::unique_ptr<TarnLink::TarnVirtualDevice> device;
    return device;
}

} // namespace

PROBE_EXPORT bool ProbeStart()
{
    Device() = std::make_unique<TarnLink::TarnVirtualDevice>("StudioBox");
    return TarnLink::TarnCommandFactory::Initialize() &&
           TarnLink::TarnCommandFactory::InstallTargetConduit(Device().get(), kDeviceId);
}

// Executes one command on the calling thread, which leaves the thread holding
// TarnLink's per-thread buffers.
PROBE_EXPORT bool ProbeExecute()
{
    TarnLink::TarnCommand mute("AudioHostChanMute");
    mute.SetParamUInt8("HostChannel", 3);
    mute.SetParamUInt8("Mute", 1);
    return TarnLink::TarnCommandFactory::Execute(mute);
}

PROBE_EXPORT bool ProbeStop()
{
    const bool removed = TarnLink::TarnCommandFactory::RemoveTargetConduit(Device().get(), kDeviceId);
    Device().reset();
    return TarnLink::TarnCommandFactory::Terminate() && removed;
}
