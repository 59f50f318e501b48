#include "dictionary/library_state.h"
#include "platform/process_wide.h"

#include <memory>

namespace TarnLinkPrivate {

namespace {

// Process-global by design: the host brings the library up and down from its
// start-up and shut-down code, never concurrently with other calls.
struct LibraryState {
    bool cleanShutdown = true;
    std::unique_ptr<std::string> additionalPath;
};

LibraryState& State() { return ProcessWide<LibraryState>(); }

} // namespace

void SetInitCount(std::uint32_t count) { ProcessWide<InitCounter>().value = count; }

bool IsCleanShutdown() { return State().cleanShutdown; }
void SetCleanShutdown(bool clean) { State().cleanShutdown = clean; }

const std::string* AdditionalPath() { return State().additionalPath.get(); }

void SetAdditionalPath(const char* path)
{
    if (path == nullptr) {
        return;
    }
    if (!State().additionalPath) {
        State().additionalPath = std::make_unique<std::string>(path);
    } else {
        *State().additionalPath = path;
    }
}

void ForgetAdditionalPath() { State().additionalPath.reset(); }

} // namespace TarnLinkPrivate
