// A host in a few dozen lines: load the dictionary, install a virtual box as
// the conduit, mute a host channel and read the setting back.

#include <cstdio>

#include "tarnlink/TarnLink.h"
#include "tarnlink/TarnVirtualDevice.h"

using namespace TarnLink;

int main()
{
    if (!TarnCommandFactory::Initialize()) {
        std::fprintf(stderr, "TarnLink could not load its command definitions\n");
        return 1;
    }
    TarnVirtualDevice box("StudioBox");
    TarnCommandFactory::InstallTargetConduit(&box, 1);

    TarnCommand mute("AudioHostChanMute");
    mute.SetParamUInt8("HostChannel", 5);
    mute.SetParamBySymbol("Mute", "AudioHostChan_MuteOn");
    const bool sent = TarnCommandFactory::Execute(mute);

    TarnCommand query("AudioHostChanMute");
    query.SetupRequestDataCommand();
    query.SetParamUInt8("HostChannel", 5);
    unsigned char muted = 0;
    const bool read = TarnCommandFactory::Execute(query) && query.GetParamUInt8("Mute", muted);

    std::printf("send: %s, request: %s, host channel 5 muted: %s\n", mute.GetStatusAsStringConstant(),
                query.GetStatusAsStringConstant(), muted != 0 ? "yes" : "no");

    TarnCommandFactory::RemoveTargetConduit(&box, 1);
    TarnCommandFactory::Terminate();
    return sent && read && muted != 0 ? 0 : 1;
}
