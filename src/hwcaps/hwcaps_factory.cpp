#include <new>

#include "dictionary/command_registry.h"
#include "hwcaps/hwc_file_loader.h"
#include "hwcaps/hwcaps_registry.h"
#include "tarnlink/TarnHWCaps.h"

namespace TarnLink {
namespace HWCaps {

namespace {

constexpr char kEmptyHardwareType[] = "EMPTY";
constexpr char kCurrentDirectory[] = "./";

} // namespace

// Capability files come from the library itself; directories serve only a
// library that carries none.
bool TarnHWCapsFactory::InitHardwareCapabilitiesInfo(const char* path)
{
    TarnLinkPrivate::DiscardHWCapsData();
    bool foundAny = false;
    const bool loaded = TarnLinkPrivate::LoadEmbeddedHWCFiles(foundAny);
    if (foundAny) {
        return loaded;
    }
    return TarnLinkPrivate::LoadHWCDirectory(path != nullptr ? path : kCurrentDirectory);
}

TarnHWCaps* TarnHWCapsFactory::CreateHWCaps(const char* hardwareType)
{
    TarnLinkPrivate::HWCapsData* data = nullptr;
    const bool known = hardwareType != nullptr && TarnLinkPrivate::FindHWCapsEntry(hardwareType, &data);
    return new (std::nothrow) TarnHWCaps(known ? hardwareType : kEmptyHardwareType);
}

void TarnHWCapsFactory::DestroyHWCaps(TarnHWCaps*& caps)
{
    delete caps;
    caps = nullptr;
}

void TarnHWCapsFactory::ClearOverrideTimeouts()
{
    for (const auto& definition : TarnLinkPrivate::GetNameRegistry()) {
        definition.second->SetOverrideTimeoutMillisec(0);
    }
}

bool TarnHWCapsFactory::Terminate()
{
    TarnLinkPrivate::TearDownHWCapsRegistry();
    return true;
}

} // namespace HWCaps
} // namespace TarnLink
