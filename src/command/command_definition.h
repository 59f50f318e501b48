#ifndef TARNLINK_COMMAND_COMMAND_DEFINITION_H
#define TARNLINK_COMMAND_COMMAND_DEFINITION_H

// The definition of a command's name, remembered in the command while the
// dictionary stays the same: a host compiles, executes and decompiles the same
// command again and again.

#include <cstdint>

#include "command/command_body_access.h"
#include "dictionary/command_registry.h"

namespace TarnLinkPrivate {

// Null when the dictionary has no definition of that name.
inline const CommandFormat* DefinitionOf(const TarnLink::TarnCommand& command)
{
    const TarnLink::TarnCommand::Body& body = TarnLink::CommandBodyAccess::Of(command);
    const std::uint64_t generation = RegistryGeneration();
    const CommandFormat* definition = nullptr;
    if (!body.definitionCache.Get(generation, definition)) {
        definition = FindCommandFormat(body.name);
        body.definitionCache.Put(generation, definition);
    }
    return definition;
}

} // namespace TarnLinkPrivate

#endif
