#ifndef TARNLINK_HWCAPS_CAPS_HANDLE_RECORD_H
#define TARNLINK_HWCAPS_CAPS_HANDLE_RECORD_H

// What a TarnHWCaps handle holds: its type name and the set registered under
// that name when the handle was made. The registry destroys sets only when it
// discards or tears down its content, which moves its generation on; a handle
// from an earlier generation then has no set rather than a destroyed one.

#include <cstdint>
#include <string>

#include "hwcaps/hwcaps_data.h"
#include "hwcaps/hwcaps_registry.h"
#include "tarnlink/TarnHWCaps.h"

struct TarnLink::HWCaps::TarnHWCaps::Record {
    std::string typeName;
    TarnLinkPrivate::HWCapsData* data = nullptr; // owned by the registry
    std::uint64_t generation = TarnLinkPrivate::HWCapsRegistryGeneration();

    // Null when the registry had no set for the type, or destroyed it since.
    TarnLinkPrivate::HWCapsData* Data() const
    {
        return generation == TarnLinkPrivate::HWCapsRegistryGeneration() ? data : nullptr;
    }
};

namespace TarnLinkPrivate {

// The set behind a handle, for the library's own capability questions: a
// value read in place costs no copy into a host buffer.
struct CapsHandleAccess {
    // Null when the handle has no set, or the set no such property under
    // the host's conditions.
    static const Variant* Property(const TarnLink::HWCaps::TarnHWCaps& caps, const char* name,
                                   const TarnLink::HWCaps::CmdParamConditionList* cond)
    {
        const HWCapsData* data = caps.record_->Data();
        return data != nullptr ? data->FindProperty(name, TarnLink::HWCaps::TarnHWCaps::ConditionsOf(cond)) : nullptr;
    }
};

} // namespace TarnLinkPrivate

#endif
