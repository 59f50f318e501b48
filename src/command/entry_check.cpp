// Entry checks shared by the compiler and the decompiler.

#include "command/entry_check.h"

#include <ostream>

#include "command/command_definition.h"
#include "dictionary/command_registry.h"
#include "dictionary/library_state.h"

namespace TarnLinkPrivate {

EntryCheck CheckEntry(const TarnLink::TarnCommand& command, const EntryTexts& texts)
{
    EntryCheck check;
    if (!IsLibraryInitialized()) {
        Diagnostics() << texts.notInitialized;
        return check;
    }
    check.definition = DefinitionOf(command);
    // For an unknown name the registry's own check writes its verbose note.
    const bool isMeta = check.definition != nullptr ? check.definition->IsMetaCommandFormat()
                                                    : IsMetaCommandFormat(command.GetCommandName());
    if (isMeta) {
        Diagnostics() << texts.metaCommand;
        return check;
    }
    check.proceed = true;
    return check;
}

} // namespace TarnLinkPrivate
