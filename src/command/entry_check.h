#ifndef TARNLINK_COMMAND_ENTRY_CHECK_H
#define TARNLINK_COMMAND_ENTRY_CHECK_H

// The checks that open both compilation and decompilation.

#include "dictionary/command_format.h"
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
// initialized and a Meta command.
EntryCheck CheckEntry(const TarnLink::TarnCommand& command, const EntryTexts& texts);

} // namespace TarnLinkPrivate

#endif
