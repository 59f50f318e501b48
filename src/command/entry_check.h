#ifndef TARNLINK_COMMAND_ENTRY_CHECK_H
#define TARNLINK_COMMAND_ENTRY_CHECK_H

// The checks that open both compilation and decompilation.

#include "dictionary/command_format.h"
#include "diagnostics/diagnostics.h"
#include "dictionary/command_registry.h"
#include "dictionary/library_state.h"

namespace TarnLinkPrivate {

struct EntryTexts {
    const char* notInitialized;
    const char* metaCommand;
};

// Refuses, with the given unconditional texts, a library that is not
// initialized and a Meta command, given the command's definition (null for
// an unknown name). Inline: it opens every compilation and decompilation.
inline bool PassesEntryChecks(const CommandFormat* definition, const char* commandName, const EntryTexts& texts)
{
    if (!IsLibraryInitialized()) {
        ErrorMessage(texts.notInitialized);
        return false;
    }
    if (IsMetaCommandFormat(definition, commandName)) {
        ErrorMessage(texts.metaCommand);
        return false;
    }
    return true;
}

} // namespace TarnLinkPrivate

#endif
