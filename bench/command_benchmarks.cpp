// The command path: building, compiling, decoding and executing the
// AudioHostChanMute command, beside protobuf's dynamic messages, a
// hand-written codec over a plain buffer, and the library's own steps called
// directly.

#include <cstdint>
#include <cstring>

#include <benchmark/benchmark.h>

#include "measured_loop.h"
#include "comparison.h"
#include "immediate_conduit.h"
#include "library_loops.h"
#include "plain_buffer_codec.h"
#include "protobuf_peer.h"
#include "tarnlink/TarnCommandFactory.h"

namespace TarnLinkBench {

namespace {

using TarnLink::TarnCommand;
using TarnLink::TarnCommandByteCode;
using TarnLink::TarnCommandFactory;

constexpr unsigned char kHostChannel = 5;
constexpr unsigned char kMute = 1;
const char kMuteCommand[] = "AudioHostChanMute";
const char kHostChannelName[] = "HostChannel";
const char kMuteName[] = "Mute";

// The answer to a request for the mute state of host channel 5: muted.
const unsigned char kMuteResponse[] = {0x0B, 0x0B, 0x00, 0x06, 0x40, 0x2F, 0x00, 0x00, kHostChannel, kMute};
// The same values as protobuf writes them (field 1 = 5, field 2 = 1).
const unsigned char kProtobufMute[] = {0x08, kHostChannel, 0x10, kMute};

TarnCommand MuteSend()
{
    TarnCommand command(kMuteCommand);
    command.SetParamUInt8(kHostChannelName, kHostChannel);
    command.SetParamUInt8(kMuteName, kMute);
    return command;
}

TarnCommand MuteRequest()
{
    TarnCommand command(kMuteCommand);
    command.SetupRequestDataCommand();
    command.SetParamUInt8(kHostChannelName, kHostChannel);
    return command;
}

void BuildSetCompile(benchmark::State& state)
{
    TarnCommandByteCode byteCode;
    MeasuredLoop(state, [&] {
        TarnCommand command(kMuteCommand);
        command.SetParamUInt8(kHostChannelName, kHostChannel);
        command.SetParamUInt8(kMuteName, kMute);
        return TarnCommandFactory::CompileTarnByteCode(command, byteCode, nullptr, nullptr);
    });
}

void ProtobufBuildSetSerialize(benchmark::State& state)
{
    ProtobufMuteMessage peer;
    unsigned char buffer[16];
    MeasuredLoop(state, [&] { return peer.BuildAndSerialize(kHostChannel, kMute, buffer, sizeof(buffer)); });
}

void CompilePrebuilt(benchmark::State& state) { CompileLoop(state, MuteSend()); }

void HandEncode(benchmark::State& state)
{
    MuteValues values;
    values.hostChannel = kHostChannel;
    values.mute = kMute;
    unsigned char buffer[kMuteSendPacketLength];
    MeasuredLoop(state, [&] {
        benchmark::DoNotOptimize(values);
        return EncodeMuteSend(values, buffer);
    });
}

void DecompileRead(benchmark::State& state)
{
    TarnCommand command = MuteRequest();
    TarnCommandByteCode response;
    response.CopyByteCodePacketBuffer(kMuteResponse, sizeof(kMuteResponse));
    unsigned char hostChannel = 0;
    unsigned char mute = 0;
    MeasuredLoop(state, [&] {
        return TarnCommandFactory::DecompileTarnByteCode(command, response, nullptr, false) &&
               command.GetParamUInt8(kHostChannelName, hostChannel) && command.GetParamUInt8(kMuteName, mute);
    });
}

void HandDecode(benchmark::State& state)
{
    unsigned char packet[sizeof(kMuteResponse)];
    std::memcpy(packet, kMuteResponse, sizeof(packet));
    MuteValues values;
    std::uint8_t status = 0;
    MeasuredLoop(state, [&] {
        benchmark::DoNotOptimize(packet);
        return DecodeMuteResponse(packet, sizeof(packet), values, status);
    });
}

void ProtobufParseRead(benchmark::State& state)
{
    ProtobufMuteMessage peer;
    std::uint32_t hostChannel = 0;
    std::uint32_t mute = 0;
    MeasuredLoop(state, [&] { return peer.ParseAndRead(kProtobufMute, sizeof(kProtobufMute), hostChannel, mute); });
}

void Execute(benchmark::State& state)
{
    TarnCommand command = MuteSend();
    ExecuteLoop(state, command);
}

void CompileTransmitDecompile(benchmark::State& state)
{
    ImmediateConduit conduit;
    TarnCommand command = MuteSend();
    TarnCommandByteCode request;
    TarnCommandByteCode response;
    MeasuredLoop(state, [&] {
        return TarnCommandFactory::CompileTarnByteCode(command, request, nullptr, nullptr) &&
               conduit.Transmit(command.GetCommandName(), request, &response, 0) &&
               TarnCommandFactory::DecompileTarnByteCode(command, response, nullptr, false);
    });
}

const char kBuildSetCompile[] = "TarnLink: build by name, set, compile";
const char kProtobufBuild[] = "protobuf DynamicMessage: build by name, set by name, serialize";
const char kCompilePrebuilt[] = "TarnLink: compile a prebuilt command";
const char kHandEncode[] = "hand-written encoder into a plain buffer";
const char kDecompileRead[] = "TarnLink: decompile, read by name";
const char kHandDecode[] = "hand-written decoder from a plain buffer";
const char kProtobufParse[] = "protobuf DynamicMessage: parse, read by name";
const char kExecute[] = "TarnLink: Execute";
const char kDirectSteps[] = "compile + Transmit + decompile called directly";

const bool registered = Register(
    {
        {kBuildSetCompile, BuildSetCompile},
        {kProtobufBuild, ProtobufBuildSetSerialize},
        {kCompilePrebuilt, CompilePrebuilt},
        {kHandEncode, HandEncode},
        {kDecompileRead, DecompileRead},
        {kHandDecode, HandDecode},
        {kProtobufParse, ProtobufParseRead},
        {kExecute, Execute},
        {kDirectSteps, CompileTransmitDecompile},
    },
    {
        {"build AudioHostChanMute by name, set 2 parameters, compile", kBuildSetCompile, kProtobufBuild, 0.2},
        {"decompile the AudioHostChanMute answer, read 2 parameters", kDecompileRead, kProtobufParse, 0.15},
        {"compile a prebuilt AudioHostChanMute", kCompilePrebuilt, kHandEncode, 5.0},
        {"decompile the AudioHostChanMute answer, read 2 parameters", kDecompileRead, kHandDecode, 8.0},
        {"Execute AudioHostChanMute, in-process conduit", kExecute, kDirectSteps, 1.3},
    });

} // namespace

} // namespace TarnLinkBench
