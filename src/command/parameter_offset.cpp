// Where a parameter's bytes lie in the packet of a command.

#include <cstring>
#include <ostream>

#include "command/compiler.h"
#include "command/parameter_codec.h"
#include "dictionary/command_registry.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/packet_layout.h"

namespace TarnLinkPrivate {

namespace {
constexpr char kFormatNotFound[] = "\nCommand format not found - command name : ";
} // namespace

bool ComputeCompiledCommandParamDataPacketAndBytecodeOffset(const TarnLink::TarnCommand& command, const char* paramName,
                                                            std::int64_t* offset)
{
    if (paramName == nullptr || offset == nullptr) {
        return false;
    }
    const CommandFormat* found = FindCommandFormat(command.GetCommandName());
    if (found == nullptr) {
        VerboseMessage(kFormatNotFound, command.GetCommandName());
        return false;
    }
    const auto* definition = dynamic_cast<const TarnCommandFormat*>(found);
    if (definition == nullptr) {
        return false;
    }
    // Offsets are fixed per definition; a variable-length one must still lay
    // out for this command, which can fail (a missing or oversized stream).
    if (definition->HasVariableLengthData()) {
        const LayoutRequest request = LayoutRequestFor(command, *definition);
        PacketSizes sizes;
        if (ComputePacketSizes(*definition, &request, sizes) < 1) {
            return false;
        }
    }
    *offset = -1;
    for (const ParameterDefinition& parameter : definition->Parameters()) {
        if (parameter.type != ParamType::kBytes && std::strcmp(parameter.name.c_str(), paramName) == 0) {
            *offset = parameter.packetOffset;
            return true;
        }
    }
    return false;
}

} // namespace TarnLinkPrivate
