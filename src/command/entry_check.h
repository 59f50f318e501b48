#ifndef TARNLINK_COMMAND_ENTRY_CHECK_H
#define TARNLINK_COMMAND_ENTRY_CHECK_H

// The checks that open both compilation and decompilation.

#include "command/command_definition.h"
#include "dictionary/command_format.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/command_registry.h"
#include "dictionary/library_state.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

struct EntryTexts {
    const char* notInitialized;
    const char* metaCommand;
};

struct EntryCheck {
    bool proceed = false;
    // The command's definition, found once for the whole call; null when
    // the name is unknown.
    const CommandFormat* definition = nullptr;
};

// Refuses, with the given unconditional texts, a library that is not
// initialized and a Meta command. Inline: it opens every compilation and
// decompilation.
inline EntryCheck CheckEntry(const TarnLink::TarnCommand& command, const EntryTexts& texts)
{
    EntryCheck check;
    if (!IsLibraryInitialized()) {
        ErrorMessage(texts.notInitialized);
        return check;
    }
    check.definition = DefinitionOf(command);
    if (IsMetaCommandFormat(check.definition, command.GetCommandName())) {
        ErrorMessage(texts.metaCommand);
        return check;
    }
    check.proceed = true;
    return check;
}

} // namespace TarnLinkPrivate

#endif
