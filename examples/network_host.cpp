// A host that drives a box over the network. Start a device server, then
// point the host at it:
//
//     tarnlink serve &
//     network_host tcp://127.0.0.1:7300
//
// It asks which hardware answers, mutes a host channel and reads the setting
// back, as minimal_host does with a box in its own process.

#include <cstdio>
#include <stdexcept>
#include <string>

#include "tarnlink/TarnLink.h"
#include "tarnlink/TarnNetwork.h"

using namespace TarnLink;

namespace {

int Run(Net::TcpConduit& box)
{
    TarnCommandFactory::InstallTargetConduit(&box, 1);
    TarnCommandFactory::OverrideConduit(&box); // detects the served hardware

    TarnCommand identify("HardwareTypeID");
    identify.SetupRequestDataCommand();
    char hardwareType[64] = {};
    std::size_t length = 0;
    const bool identified = TarnCommandFactory::Execute(identify) &&
                            identify.GetParamByteStream("TypeID", hardwareType, sizeof(hardwareType) - 1, &length);

    TarnCommand mute("AudioHostChanMute");
    mute.SetParamUInt8("HostChannel", 5);
    mute.SetParamBySymbol("Mute", "AudioHostChan_MuteOn");
    const bool sent = TarnCommandFactory::Execute(mute);

    TarnCommand query("AudioHostChanMute");
    query.SetupRequestDataCommand();
    query.SetParamUInt8("HostChannel", 5);
    unsigned char muted = 0;
    const bool read = TarnCommandFactory::Execute(query) && query.GetParamUInt8("Mute", muted);

    std::printf("hardware: %s, send: %s, request: %s, host channel 5 muted: %s\n",
                identified ? hardwareType : "(unknown)", mute.GetStatusAsStringConstant(),
                query.GetStatusAsStringConstant(), muted != 0 ? "yes" : "no");
    if (!box.GetLastError().empty()) {
        std::fprintf(stderr, "%s\n", box.GetLastError().c_str());
    }
    TarnCommandFactory::RemoveTargetConduit(&box, 1);
    return identified && sent && read && muted != 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string url = argc > 1 ? argv[1] : "tcp://127.0.0.1:7300";
    if (!TarnCommandFactory::Initialize()) {
        std::fprintf(stderr, "TarnLink could not load its command definitions\n");
        return 1;
    }
    int result = 1;
    try {
        Net::TcpConduit box(url);
        result = Run(box);
    } catch (const std::invalid_argument& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    TarnCommandFactory::Terminate();
    return result;
}
