#include "tarnlink/TarnHWCaps.h"

namespace TarnLink {
namespace HWCaps {

TarnHWCapsManager* TarnHWCapsManager::sInstance = nullptr;

// Minimal body until the capability manager is written.
void TarnHWCapsManager::Destroy() {}

} // namespace HWCaps
} // namespace TarnLink
