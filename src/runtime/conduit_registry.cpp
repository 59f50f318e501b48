#include "runtime/conduit_registry.h"
#include "platform/process_wide.h"

#include <iterator>
#include <map>
#include <memory>

namespace TarnLinkPrivate {

namespace {

using ConduitTable = std::map<std::int32_t, TarnLink::TarnConduit*>;

struct Conduits {
    // Absent until the first install: a library in which no conduit was ever
    // installed lets any conduit be made current by an override.
    std::unique_ptr<ConduitTable> table;
};

Conduits& State() { return ProcessWide<Conduits>(); }
TarnLink::TarnConduit*& Current() { return ProcessWide<CurrentConduit>().conduit; }

bool TableHolds(const ConduitTable& table, const TarnLink::TarnConduit* conduit)
{
    for (const auto& entry : table) {
        if (entry.second == conduit) {
            return true;
        }
    }
    return false;
}

} // namespace

bool InstallTargetConduit(TarnLink::TarnConduit* conduit, std::int32_t conduitId)
{
    Current() = conduit;
    if (!State().table) {
        State().table = std::make_unique<ConduitTable>();
    }
    if (conduit == nullptr) {
        return false;
    }
    return State().table->emplace(conduitId, conduit).second;
}

bool RemoveTargetConduit(TarnLink::TarnConduit* conduit, std::int32_t conduitId)
{
    if (!State().table || conduit == nullptr) {
        return false;
    }
    if (State().table->erase(conduitId) > 0 && Current() == conduit) {
        Current() = nullptr;
    }
    return true;
}

bool ReplaceCurrentConduit(TarnLink::TarnConduit* conduit)
{
    if (conduit != nullptr && State().table && !TableHolds(*State().table, conduit)) {
        return false;
    }
    StackBasedMutexCaller oldConduitLock(Current());
    Current() = conduit;
    return true;
}

TarnLink::TarnConduit* GetConduitFromID(std::int32_t conduitId)
{
    if (conduitId == 0 || !State().table) {
        return nullptr;
    }
    const auto found = State().table->find(conduitId);
    return found == State().table->end() ? nullptr : found->second;
}

std::int32_t GetConduitListSize() { return State().table ? static_cast<std::int32_t>(State().table->size()) : 0; }

TarnLink::TarnConduit* GetNthConduit(int n, std::int32_t* conduitId)
{
    if (conduitId == nullptr || n < 0 || !State().table) {
        return nullptr;
    }
    const std::size_t position = n == 0 ? 1 : static_cast<std::size_t>(n);
    if (position > State().table->size()) {
        return nullptr;
    }
    auto entry = State().table->begin();
    std::advance(entry, static_cast<std::ptrdiff_t>(position - 1));
    *conduitId = entry->first;
    return entry->second;
}

void ForgetConduits()
{
    Current() = nullptr;
    State().table.reset();
}

} // namespace TarnLinkPrivate
