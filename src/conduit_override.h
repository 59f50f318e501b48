#ifndef TARNLINK_CONDUIT_OVERRIDE_H
#define TARNLINK_CONDUIT_OVERRIDE_H

// Changing the current conduit also refreshes the capabilities of the attached
// hardware and the command time-outs they set, so it spans the runtime and
// the capability subsystem and is sequenced here, above both.

#include "tarnlink/TarnHostInterfaces.h"

namespace TarnLinkPrivate {

bool OverrideConduit(TarnLink::TarnConduit* conduit);

} // namespace TarnLinkPrivate

#endif
