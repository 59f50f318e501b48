#include "runtime/conduit_registry.h"

#include <iterator>
#include <map>
#include <memory>

namespace TarnLinkPrivate {

namespace {

using ConduitTable = std::map<std::int32_t, TarnLink::TarnConduit*>;

// Absent until the first install: a library in which no conduit was ever
// installed lets any conduit be made current by an override.
std::unique_ptr<ConduitTable> conduitTable;
TarnLink::TarnConduit* currentConduit = nullptr;

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
    currentConduit = conduit;
    if (!conduitTable) {
        conduitTable = std::make_unique<ConduitTable>();
    }
    if (conduit == nullptr) {
        return false;
    }
    return conduitTable->emplace(conduitId, conduit).second;
}

bool RemoveTargetConduit(TarnLink::TarnConduit* conduit, std::int32_t conduitId)
{
    if (!conduitTable || conduit == nullptr) {
        return false;
    }
    if (conduitTable->erase(conduitId) > 0 && currentConduit == conduit) {
        currentConduit = nullptr;
    }
    return true;
}

bool ReplaceCurrentConduit(TarnLink::TarnConduit* conduit)
{
    if (conduit != nullptr && conduitTable && !TableHolds(*conduitTable, conduit)) {
        return false;
    }
    StackBasedMutexCaller oldConduitLock(currentConduit);
    currentConduit = conduit;
    return true;
}

TarnLink::TarnConduit* GetConduit() { return currentConduit; }

TarnLink::TarnConduit* GetConduitFromID(std::int32_t conduitId)
{
    if (conduitId == 0 || !conduitTable) {
        return nullptr;
    }
    const auto found = conduitTable->find(conduitId);
    return found == conduitTable->end() ? nullptr : found->second;
}

std::int32_t GetConduitListSize()
{
    return conduitTable ? static_cast<std::int32_t>(conduitTable->size()) : 0;
}

TarnLink::TarnConduit* GetNthConduit(int n, std::int32_t* conduitId)
{
    if (conduitId == nullptr || n < 0 || !conduitTable) {
        return nullptr;
    }
    const std::size_t position = n == 0 ? 1 : static_cast<std::size_t>(n);
    if (position > conduitTable->size()) {
        return nullptr;
    }
    auto entry = conduitTable->begin();
    std::advance(entry, static_cast<std::ptrdiff_t>(position - 1));
    *conduitId = entry->first;
    return entry->second;
}

void ForgetConduits()
{
    currentConduit = nullptr;
    conduitTable.reset();
}

} // namespace TarnLinkPrivate
