#include "tarnlink/TarnHWCaps.h"

namespace TarnLink {
namespace HWCaps {

TarnHWCapsPtr::TarnHWCapsPtr() : caps_(nullptr) {}

void TarnHWCapsPtr::SetPtr(TarnHWCaps* caps) { caps_ = caps; }

const TarnHWCaps* TarnHWCapsPtr::operator->() const { return caps_; }

const TarnHWCaps* TarnHWCapsPtr::Get() const { return caps_; }

} // namespace HWCaps
} // namespace TarnLink
