// Byte streams: a packet full of BYTES data and a meta upload of many
// packets, beside memcpy of the same number of bytes.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include <benchmark/benchmark.h>

#include "measured_loop.h"
#include "comparison.h"
#include "library_loops.h"
#include "tarnlink/TarnCommandFactory.h"

namespace TarnLinkBench {

namespace {

using TarnLink::TarnCommand;

constexpr std::size_t kFullPacketData = 2040;
constexpr std::size_t kUploadBytes = 64 * 1024;

std::vector<char> Pattern(std::size_t length)
{
    std::vector<char> bytes(length);
    for (std::size_t i = 0; i < length; ++i) {
        bytes[i] = static_cast<char>(i * 7);
    }
    return bytes;
}

void CompileFullPacket(benchmark::State& state)
{
    const std::vector<char> data = Pattern(kFullPacketData);
    TarnCommand command("LutUploadData");
    command.SetParamByteStream("Data", data.data(), data.size());
    CompileLoop(state, command);
}

void MetaUpload(benchmark::State& state)
{
    const std::vector<char> data = Pattern(kUploadBytes);
    TarnCommand command("LutUpload");
    command.SetParamByteStream("LutData", data.data(), data.size());
    ExecuteLoop(state, command);
}

void CopyBytes(benchmark::State& state, std::size_t length)
{
    const std::vector<char> source = Pattern(length);
    std::vector<char> target(length);
    MeasuredLoop(state, [&] { return std::memcpy(target.data(), source.data(), length); });
}

void CopyFullPacket(benchmark::State& state) { CopyBytes(state, kFullPacketData); }
void CopyUpload(benchmark::State& state) { CopyBytes(state, kUploadBytes); }

const char kCompileFullPacket[] = "TarnLink: compile LutUploadData with 2040 BYTES";
const char kCopyFullPacket[] = "memcpy of 2040 bytes";
const char kMetaUpload[] = "TarnLink: Execute LutUpload of 64 KiB (35 packets)";
const char kCopyUpload[] = "memcpy of 64 KiB";

const bool registered = Register(
    {
        {kCompileFullPacket, CompileFullPacket},
        {kCopyFullPacket, CopyFullPacket},
        {kMetaUpload, MetaUpload},
        {kCopyUpload, CopyUpload},
    },
    {
        {"compile a 2040-byte BYTES packet", kCompileFullPacket, kCopyFullPacket, 1.5},
        {"meta upload of 64 KiB, in-process conduit", kMetaUpload, kCopyUpload, 3.0},
    });

} // namespace

} // namespace TarnLinkBench
