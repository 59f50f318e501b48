#ifndef TARNLINK_TOOL_RECORDING_CONDUIT_H
#define TARNLINK_TOOL_RECORDING_CONDUIT_H

#include <mutex>
#include <vector>

#include "tarnlink/TarnHostInterfaces.h"
#include "tarnlink/TarnVirtualDevice.h"

namespace TarnLinkTool {

// Hands everything on to another conduit and logs each Transmit as the
// virtual device logs its own: the name, both packets and the result.
class RecordingConduit : public TarnLink::TarnConduit {
public:
    explicit RecordingConduit(TarnLink::TarnConduit& inner) : inner_(inner) {}

    std::vector<TarnLink::VirtualPacketExchange> TakeLog();

    bool Transmit(const char* commandName, const TarnLink::TarnCommandByteCode& request,
                  TarnLink::TarnCommandByteCode* response, std::uint32_t timeoutMillisec) override;
    void CommandSucceeded(TarnLink::TarnCommand& command) override { inner_.CommandSucceeded(command); }
    void Lock() override { inner_.Lock(); }
    void Unlock() override { inner_.Unlock(); }

private:
    TarnLink::TarnConduit& inner_;
    std::mutex logMutex_;
    std::vector<TarnLink::VirtualPacketExchange> log_;
};

} // namespace TarnLinkTool

#endif
