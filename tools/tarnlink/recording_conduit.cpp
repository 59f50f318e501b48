#include "recording_conduit.h"

#include <utility>

namespace TarnLinkTool {
namespace {

std::vector<unsigned char> BytesOf(const TarnLink::TarnCommandByteCode* byteCode)
{
    unsigned char* buffer = nullptr;
    std::size_t length = 0;
    if (byteCode == nullptr || !byteCode->GetPacketByteCodeBuffer(&buffer) ||
        !byteCode->GetPacketByteCodeBufferLength(&length)) {
        return {};
    }
    return std::vector<unsigned char>(buffer, buffer + length);
}

} // namespace

std::vector<TarnLink::VirtualPacketExchange> RecordingConduit::TakeLog()
{
    std::lock_guard<std::mutex> guard(logMutex_);
    return std::exchange(log_, {});
}

bool RecordingConduit::Transmit(const char* commandName, const TarnLink::TarnCommandByteCode& request,
                                TarnLink::TarnCommandByteCode* response, std::uint32_t timeoutMillisec)
{
    const bool transmitted = inner_.Transmit(commandName, request, response, timeoutMillisec);
    std::lock_guard<std::mutex> guard(logMutex_);
    log_.push_back(TarnLink::VirtualPacketExchange{commandName != nullptr ? commandName : "", BytesOf(&request),
                                                   BytesOf(response), transmitted});
    return transmitted;
}

} // namespace TarnLinkTool
