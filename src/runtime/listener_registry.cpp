#include "runtime/listener_registry.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace TarnLinkPrivate {

namespace {

template <class Listener>
bool Contains(const std::vector<Listener*>& list, const Listener* listener)
{
    return std::find(list.begin(), list.end(), listener) != list.end();
}

template <class Listener>
bool Append(Listener* listener)
{
    std::vector<Listener*>& list = ListOf<Listener>();
    if (listener == nullptr || Contains(list, listener)) {
        return false;
    }
    list.push_back(listener);
    ++ProcessWide<InstalledListeners>().count;
    return true;
}

template <class Listener>
bool Remove(Listener* listener)
{
    std::vector<Listener*>& list = ListOf<Listener>();
    const auto found = std::find(list.begin(), list.end(), listener);
    if (listener == nullptr || found == list.end()) {
        return false;
    }
    list.erase(found);
    --ProcessWide<InstalledListeners>().count;
    return true;
}

// Each priority is asked for once per sort; equal priorities keep their
// installation order.
void SortTransmitListenersByPriority()
{
    std::vector<TarnLink::TarnTransmitListener*>& list = ListOf<TarnLink::TarnTransmitListener>();
    std::vector<std::pair<std::int32_t, TarnLink::TarnTransmitListener*>> keyed;
    keyed.reserve(list.size());
    for (TarnLink::TarnTransmitListener* listener : list) {
        keyed.emplace_back(listener->GetPriority(), listener);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& left, const auto& right) { return left.first < right.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i) {
        list[i] = keyed[i].second;
    }
}

} // namespace

bool InstallTarnCompileListener(TarnLink::TarnCompileListener* listener) { return Append(listener); }
bool InstallTarnExecutionListener(TarnLink::TarnExecutionListener* listener) { return Append(listener); }

bool InstallTarnTransmitListener(TarnLink::TarnTransmitListener* listener)
{
    if (!Append(listener)) {
        return false;
    }
    SortTransmitListenersByPriority();
    return true;
}

bool RemoveTarnCompileListener(TarnLink::TarnCompileListener* listener) { return Remove(listener); }
bool RemoveTarnExecutionListener(TarnLink::TarnExecutionListener* listener) { return Remove(listener); }
bool RemoveTarnTransmitListener(TarnLink::TarnTransmitListener* listener) { return Remove(listener); }

} // namespace TarnLinkPrivate
