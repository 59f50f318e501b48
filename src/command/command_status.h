#ifndef TARNLINK_COMMAND_COMMAND_STATUS_H
#define TARNLINK_COMMAND_COMMAND_STATUS_H

// The names of the command statuses, shared by the command object and its dump.

#include <cstdint>

namespace TarnLinkPrivate {

// The constant's name ("kTLSuccess" ...), or null for a number outside the
// enumeration.
const char* StatusConstantName(std::int32_t status);

} // namespace TarnLinkPrivate

#endif
