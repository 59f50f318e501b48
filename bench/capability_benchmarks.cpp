// A boolean capability query with a virtual studio box attached, beside one
// look-up in a map that holds a flag for each of the 78 capability keys.

#include <cstdint>
#include <map>
#include <string>

#include <benchmark/benchmark.h>

#include "measured_loop.h"
#include "comparison.h"
#include "immediate_conduit.h"
#include "tarnlink/TarnCommandFactory.h"
#include "tarnlink/TarnHWCapsQueries.h"
#include "tarnlink/TarnVirtualDevice.h"

namespace TarnLinkBench {

namespace {

constexpr std::int32_t kStudioBoxConduitId = 1;
const char kHDKey[] = "IsHDSupported";

std::map<std::string, bool> FlagPerCapabilityKey()
{
    std::map<std::string, bool> flags;
#define TARNLINK_HWCAPS_FUNCTION(name, key, kind) flags.emplace(key, true);
#include "tarnlink/TarnHWCapsTable.h"
#undef TARNLINK_HWCAPS_FUNCTION
    return flags;
}

void SupportsHD(benchmark::State& state)
{
    TarnLink::TarnVirtualDevice studioBox("StudioBox");
    const InstalledConduit installed(studioBox, kStudioBoxConduitId);
    if (!TarnLink::TarnCommandFactory::OverrideConduit(&studioBox) || !TarnLink::HWCaps::GetSupportsHD()) {
        state.SkipWithError("the studio box was not detected");
        return;
    }
    MeasuredLoop(state, [] { return TarnLink::HWCaps::GetSupportsHD(); });
}

void MapLookup(benchmark::State& state)
{
    const std::map<std::string, bool> flags = FlagPerCapabilityKey();
    const std::string key(kHDKey);
    MeasuredLoop(state, [&] {
        benchmark::DoNotOptimize(key);
        const auto found = flags.find(key);
        return found != flags.end() && found->second;
    });
}

const char kSupportsHD[] = "TarnLink: GetSupportsHD, studio box attached";
const char kMapLookup[] = "one look-up in a 78-key std::map<std::string, bool>";

const bool registered = Register({{kSupportsHD, SupportsHD}, {kMapLookup, MapLookup}},
                                 {{"boolean capability query", kSupportsHD, kMapLookup, 1.5}});

} // namespace

} // namespace TarnLinkBench
