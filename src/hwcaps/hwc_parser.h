#ifndef TARNLINK_HWCAPS_HWC_PARSER_H
#define TARNLINK_HWCAPS_HWC_PARSER_H

// Reads one capability (HWC) file into a capability set. Command, parameter
// and symbol names are checked against the command dictionary, which must be
// loaded first.

#include <iosfwd>
#include <string>

#include "hwcaps/hwcaps_data.h"

namespace TarnLinkPrivate {

// True when the whole file parsed without error. data must be new and empty.
bool ParseHWCStream(HWCapsData& data, std::istream& input, const std::string& fileName);

} // namespace TarnLinkPrivate

#endif
