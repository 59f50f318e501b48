// Compilation and decompilation beside hand-written code that produces and
// reads the same bytes from and into the same objects. The ratio of each pair
// is printed at the end: it is the price of the dictionary-driven path.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "tarnlink/TarnCommandByteCode.h"
#include "tarnlink/TarnCommandFactory.h"

using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;
using TarnLink::TarnCommandFactory;

namespace {

const unsigned char kMuteResponse[] = {0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2F, 0x00, 0x00, 0x05, 0x01};
const unsigned char kSendResponse[] = {0x0B, 0x0B, 0x00, 0x04, 0x40, 0x2E, 0x00, 0x00};
const unsigned char kDeviceInfoResponse[] = {0x0B, 0x0B, 0x00, 0x0B, 0x40, 0x69, 0x00, 0x00,
                                             0x02, 0x07, 0x00, 0x03, 0x31, 0x2E, 0x30};

TarnCommand MuteCommand(bool isSend)
{
    TarnCommand command("AudioHostChanMute");
    command.SetParamUInt8("HostChannel", 5);
    if (isSend) {
        command.SetParamUInt8("Mute", 1);
    } else {
        command.SetupRequestDataCommand();
    }
    return command;
}

TarnCommand DeviceInfoRequest()
{
    TarnCommand command("HAGetDeviceInfo");
    command.SetupRequestDataCommand();
    command.SetParamUInt8("SlotNumber", 2);
    return command;
}

void LoadResponse(TarnCommandByteCode& byteCode, const unsigned char* bytes, std::size_t length)
{
    byteCode.CopyByteCodePacketBuffer(bytes, length);
}

// ---- hand-written equivalents ----

void HandCompileMute(const TarnCommand& command, TarnCommandByteCode& byteCode)
{
    unsigned char channel = 0;
    unsigned char mute = 0;
    command.GetParamUInt8("HostChannel", channel);
    if (command.IsSendCommand()) {
        command.GetParamUInt8("Mute", mute);
        const unsigned char packet[] = {0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2E, 0x00, 0x00, channel, mute};
        byteCode.CopyByteCodePacketBuffer(packet, sizeof(packet));
    } else {
        const unsigned char packet[] = {0x0B, 0x0B, 0x00, 0x05, 0x40, 0x2F, 0x00, 0x00, channel};
        byteCode.CopyByteCodePacketBuffer(packet, sizeof(packet));
    }
}

void HandCompileDeviceInfoRequest(const TarnCommand& command, TarnCommandByteCode& byteCode)
{
    unsigned char slot = 0;
    command.GetParamUInt8("SlotNumber", slot);
    const unsigned char packet[] = {0x0B, 0x0B, 0x00, 0x05, 0x40, 0x69, 0x00, 0x00, slot};
    byteCode.CopyByteCodePacketBuffer(packet, sizeof(packet));
}

TarnLink::CommandStatus_t StatusOf(unsigned char code)
{
    switch (code) {
    case 0x00:
        return TarnLink::kTLSuccess;
    case 0x02:
        return TarnLink::kTLNotSupported;
    case 0xF0:
        return TarnLink::kTLTransmitFailure;
    case 0xFF:
        return TarnLink::kTLTimeOut;
    default:
        return TarnLink::kTLFail;
    }
}

// The transport header checks any decoder of these packets needs; the
// parameter bytes the response holds, or -1.
std::int64_t CheckedPayload(TarnCommand& command, const TarnCommandByteCode& byteCode, unsigned char** packet)
{
    const std::size_t length = byteCode.ComputeTotalPacketByteCodeLength();
    if (!byteCode.GetPacketByteCodeBuffer(packet) || length < 8 || (*packet)[0] != 0x0B || (*packet)[1] != 0x0B) {
        return -1;
    }
    const int lengthField = ((*packet)[2] << 8) | (*packet)[3];
    if (lengthField < 4) {
        return -1;
    }
    command.SetStatus(StatusOf((*packet)[7]));
    return std::min<std::int64_t>(lengthField - 4, static_cast<std::int64_t>(length) - 8);
}

bool HandDecompileMute(TarnCommand& command, const TarnCommandByteCode& byteCode)
{
    unsigned char* packet = nullptr;
    const std::int64_t payload = CheckedPayload(command, byteCode, &packet);
    if (payload < 0) {
        return false;
    }
    if (command.IsSendCommand() || !command.IsStatusSuccess()) {
        return true;
    }
    command.ClearParameters();
    if (payload < 2) {
        return false;
    }
    command.SetParamUInt8("HostChannel", packet[8]);
    command.SetParamUInt8("Mute", packet[9]);
    return true;
}

bool HandDecompileDeviceInfo(TarnCommand& command, const TarnCommandByteCode& byteCode)
{
    unsigned char* packet = nullptr;
    const std::int64_t payload = CheckedPayload(command, byteCode, &packet);
    if (payload < 0) {
        return false;
    }
    if (!command.IsStatusSuccess()) {
        return true;
    }
    command.ClearParameters();
    if (payload < 4) {
        return false;
    }
    command.SetParamUInt8("SlotNumber", packet[8]);
    command.SetParamUInt8("BoardID", packet[9]);
    command.SetParamInt16("BoardVersionLength", static_cast<short>((packet[10] << 8) | packet[11]));
    command.SetParamByteStream("BoardVersion", reinterpret_cast<const char*>(packet + 12),
                               static_cast<std::size_t>(payload - 4));
    return true;
}

// ---- benchmarks: library, then hand-written, per case ----

template <bool (*Compile)(const TarnCommand&, TarnCommandByteCode&)>
void CompileLoop(benchmark::State& state, const TarnCommand& command)
{
    TarnCommandByteCode byteCode;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Compile(command, byteCode));
        benchmark::ClobberMemory();
    }
}

bool LibraryCompile(const TarnCommand& command, TarnCommandByteCode& byteCode)
{
    return TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, nullptr);
}

template <void (*Hand)(const TarnCommand&, TarnCommandByteCode&)>
bool AsBool(const TarnCommand& command, TarnCommandByteCode& byteCode)
{
    Hand(command, byteCode);
    return true;
}

template <bool (*Decompile)(TarnCommand&, const TarnCommandByteCode&)>
void DecompileLoop(benchmark::State& state, TarnCommand command, const unsigned char* response, std::size_t length)
{
    TarnCommandByteCode byteCode;
    LoadResponse(byteCode, response, length);
    for (auto _ : state) {
        benchmark::DoNotOptimize(Decompile(command, byteCode));
        benchmark::ClobberMemory();
    }
}

bool LibraryDecompile(TarnCommand& command, const TarnCommandByteCode& byteCode)
{
    return TarnCommandFactory::DecompileTarnByteCode(command, byteCode, nullptr, false);
}

void MuteSendCompile(benchmark::State& s) { CompileLoop<LibraryCompile>(s, MuteCommand(true)); }
void MuteSendCompileHand(benchmark::State& s) { CompileLoop<AsBool<HandCompileMute>>(s, MuteCommand(true)); }
void MuteRequestCompile(benchmark::State& s) { CompileLoop<LibraryCompile>(s, MuteCommand(false)); }
void MuteRequestCompileHand(benchmark::State& s) { CompileLoop<AsBool<HandCompileMute>>(s, MuteCommand(false)); }
void DeviceInfoRequestCompile(benchmark::State& s) { CompileLoop<LibraryCompile>(s, DeviceInfoRequest()); }
void DeviceInfoRequestCompileHand(benchmark::State& s)
{
    CompileLoop<AsBool<HandCompileDeviceInfoRequest>>(s, DeviceInfoRequest());
}

void MuteSendDecompile(benchmark::State& s)
{
    DecompileLoop<LibraryDecompile>(s, MuteCommand(true), kSendResponse, sizeof(kSendResponse));
}
void MuteSendDecompileHand(benchmark::State& s)
{
    DecompileLoop<HandDecompileMute>(s, MuteCommand(true), kSendResponse, sizeof(kSendResponse));
}
void MuteRequestDecompile(benchmark::State& s)
{
    DecompileLoop<LibraryDecompile>(s, MuteCommand(false), kMuteResponse, sizeof(kMuteResponse));
}
void MuteRequestDecompileHand(benchmark::State& s)
{
    DecompileLoop<HandDecompileMute>(s, MuteCommand(false), kMuteResponse, sizeof(kMuteResponse));
}
void DeviceInfoDecompile(benchmark::State& s)
{
    DecompileLoop<LibraryDecompile>(s, DeviceInfoRequest(), kDeviceInfoResponse, sizeof(kDeviceInfoResponse));
}
void DeviceInfoDecompileHand(benchmark::State& s)
{
    DecompileLoop<HandDecompileDeviceInfo>(s, DeviceInfoRequest(), kDeviceInfoResponse, sizeof(kDeviceInfoResponse));
}

struct Pair {
    const char* library;
    void (*libraryRun)(benchmark::State&);
    void (*handRun)(benchmark::State&);
};

const Pair kPairs[] = {
    {"AudioHostChanMute send compile", MuteSendCompile, MuteSendCompileHand},
    {"AudioHostChanMute request compile", MuteRequestCompile, MuteRequestCompileHand},
    {"HAGetDeviceInfo request compile", DeviceInfoRequestCompile, DeviceInfoRequestCompileHand},
    {"AudioHostChanMute send decompile", MuteSendDecompile, MuteSendDecompileHand},
    {"AudioHostChanMute request decompile", MuteRequestDecompile, MuteRequestDecompileHand},
    {"HAGetDeviceInfo response decompile", DeviceInfoDecompile, DeviceInfoDecompileHand},
};

const char kHandSuffix[] = " (hand-written)";
const char kMedian[] = "median";

// Keeps the CPU time per iteration of every run beside the usual console
// output; CPU time, because the wall clock of a shared machine also counts
// the time other processes take. With --benchmark_repetitions the median of
// the repetitions stands for the benchmark: one run on a loaded machine can
// be far off.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred) {
                continue;
            }
            if (run.run_type == Run::RT_Iteration) {
                nanoseconds_[run.benchmark_name()] = run.GetAdjustedCPUTime();
            } else if (run.aggregate_name == kMedian) {
                nanoseconds_[run.run_name.str()] = run.GetAdjustedCPUTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios() const
    {
        std::printf("\nlibrary / hand-written CPU time (goal: at most 3)\n");
        for (const Pair& pair : kPairs) {
            const auto library = nanoseconds_.find(pair.library);
            const auto hand = nanoseconds_.find(std::string(pair.library) + kHandSuffix);
            if (library == nanoseconds_.end() || hand == nanoseconds_.end() || hand->second <= 0) {
                continue;
            }
            std::printf("  %-40s %6.2f\n", pair.library, library->second / hand->second);
        }
    }

private:
    std::map<std::string, double> nanoseconds_;
};

} // namespace

int main(int argc, char** argv)
{
    if (!TarnCommandFactory::Initialize()) {
        std::fprintf(stderr, "TarnLink could not be initialized\n");
        return 1;
    }
    for (const Pair& pair : kPairs) {
        benchmark::RegisterBenchmark(pair.library, pair.libraryRun);
        benchmark::RegisterBenchmark((std::string(pair.library) + kHandSuffix).c_str(), pair.handRun);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    TarnCommandFactory::Terminate();
    return 0;
}
