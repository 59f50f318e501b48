#include "command/command_definition.h"

#include "command/command_body_access.h"
#include "dictionary/command_registry.h"

namespace TarnLinkPrivate {

const CommandFormat* DefinitionOf(const TarnLink::TarnCommand& command)
{
    const TarnLink::TarnCommand::Body& body = TarnLink::CommandBodyAccess::Of(command);
    const std::uint64_t generation = RegistryGeneration();
    if (body.cachedGeneration != generation) {
        body.cachedDefinition = FindCommandFormat(body.name);
        body.cachedGeneration = generation;
    }
    return body.cachedDefinition;
}

} // namespace TarnLinkPrivate
