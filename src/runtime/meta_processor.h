#ifndef TARNLINK_RUNTIME_META_PROCESSOR_H
#define TARNLINK_RUNTIME_META_PROCESSOR_H

// Executes a meta command as its start, repeat and stop sequence. Runs with
// the current conduit locked; every packet goes through the raw Execute.

#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

// True exactly when the command ends with kTLSuccess.
bool ExecuteMetaCommand(TarnLink::TarnCommand& command);

// The host command's status after a sequence whose packets were all sent:
// success when all three sub-commands succeeded, otherwise the most telling
// failure among them.
TarnLink::CommandStatus_t MergeSubCommandStatuses(TarnLink::CommandStatus_t start, TarnLink::CommandStatus_t repeat,
                                                  TarnLink::CommandStatus_t stop);

} // namespace TarnLinkPrivate

#endif
