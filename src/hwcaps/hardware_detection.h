#ifndef TARNLINK_HWCAPS_HARDWARE_DETECTION_H
#define TARNLINK_HWCAPS_HARDWARE_DETECTION_H

// Finding out which hardware the current conduit reaches.

#include "tarnlink/TarnHWCaps.h"

namespace TarnLinkPrivate {

// Asks the hardware for its type and sub-components through the current
// conduit and gives the capability set that describes it, made and stored in
// the detected sets (conduit_caps_map.h) unless its conduit base id has one.
// Hardware that answers nothing gets the set of type "NULL"; null only when
// memory runs out.
TarnLink::HWCaps::TarnHWCaps* DetectHardwareCaps();

} // namespace TarnLinkPrivate

#endif
