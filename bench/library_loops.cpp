#include "library_loops.h"

#include "immediate_conduit.h"
#include "measured_loop.h"
#include "tarnlink/TarnCommandFactory.h"

namespace TarnLinkBench {

namespace {

constexpr std::int32_t kImmediateConduitId = 2;

} // namespace

void CompileLoop(benchmark::State& state, const TarnLink::TarnCommand& command)
{
    TarnLink::TarnCommandByteCode byteCode;
    MeasuredLoop(
        state, [&] { return TarnLink::TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, nullptr); });
}

void ExecuteLoop(benchmark::State& state, TarnLink::TarnCommand& command)
{
    ImmediateConduit conduit;
    const InstalledConduit installed(conduit, kImmediateConduitId);
    if (!TarnLink::TarnCommandFactory::Execute(command)) {
        state.SkipWithError("the command did not execute");
        return;
    }
    MeasuredLoop(state, [&] { return TarnLink::TarnCommandFactory::Execute(command); });
}

} // namespace TarnLinkBench
