// Text names of the command statuses.

#include "command/command_status.h"

#include <iterator>

namespace TarnLinkPrivate {

namespace {
// Indexed by the status number.
constexpr const char* kStatusConstantNames[] = {
    "kTLSuccess",
    "kTLFail",
    "kTLNotSupported",
    "kTLTransmitFailure",
    "kTLTimeOut",
    "kTLCommandFormatNotFound",
    "kTLPacketSizeError",
    "kTLInvalidSymbolicConstant",
    "kTLInvalidCommandHeader",
    "kTLInvalidTransportHeader",
    "kTLInvalidOpcode",
    "kTLCompileMissingParameterData",
    "kTLDecompileMissingParameterData",
    "kTLAttemptedToExecuteDiagCommand",
};
} // namespace

const char* StatusConstantName(std::int32_t status)
{
    if (status < 0 || status >= static_cast<std::int32_t>(std::size(kStatusConstantNames))) {
        return nullptr;
    }
    return kStatusConstantNames[status];
}

} // namespace TarnLinkPrivate
