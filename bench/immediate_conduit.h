#ifndef TARNLINK_BENCH_IMMEDIATE_CONDUIT_H
#define TARNLINK_BENCH_IMMEDIATE_CONDUIT_H

// An in-process conduit that answers every packet at once with a successful
// response of no data: the command path without any transport time.

#include <cstdint>

#include "tarnlink/TarnHostInterfaces.h"

namespace TarnLinkBench {

class ImmediateConduit : public TarnLink::TarnConduit {
public:
    bool Transmit(const char* commandName, const TarnLink::TarnCommandByteCode& request,
                  TarnLink::TarnCommandByteCode* response, std::uint32_t timeoutMillisec) override;
    void CommandSucceeded(TarnLink::TarnCommand&) override {}
    void Lock() override {}
    void Unlock() override {}
};

// Installs a conduit under an id, which makes it the current one without
// detecting hardware behind it, for the life of the object.
class InstalledConduit {
public:
    InstalledConduit(TarnLink::TarnConduit& conduit, std::int32_t conduitId);
    ~InstalledConduit();
    InstalledConduit(const InstalledConduit&) = delete;
    InstalledConduit& operator=(const InstalledConduit&) = delete;

private:
    TarnLink::TarnConduit& conduit_;
    std::int32_t conduitId_;
};

} // namespace TarnLinkBench

#endif
