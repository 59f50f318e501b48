#include "tarnlink/TarnHWCaps.h"

namespace TarnLink {
namespace HWCaps {

// Minimal bodies until the capability subsystem is written.
bool TarnHWCapsFactory::InitHardwareCapabilitiesInfo(const char*) { return true; }
bool TarnHWCapsFactory::Terminate() { return true; }

} // namespace HWCaps
} // namespace TarnLink
