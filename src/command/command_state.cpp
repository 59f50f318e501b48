// Parameter slots of a command, laid out by its definition.

#include "command/command_state.h"

#include <algorithm>

namespace TarnLinkPrivate {

void CommandState::Rename(const char* commandName)
{
    name = commandName != nullptr ? commandName : "";
    LayOut(FindCommandFormat(name));
}

void CommandState::LayOut(const CommandFormat* definition)
{
    std::vector<Slot> previous;
    previous.swap(slots_);
    definition_ = definition;
    dataDefinition_ = definition != nullptr && !definition->IsMetaCommandFormat()
                          ? static_cast<const TarnDataCommandFormat*>(definition)
                          : nullptr;
    generation_ = RegistryGeneration();
    laidOutCount_ = definition != nullptr ? definition->Parameters().size() : 0;
    slots_.reserve(laidOutCount_);
    if (definition != nullptr) {
        for (const ParameterDefinition& parameter : definition->Parameters()) {
            slots_.emplace_back(parameter.name.data(), parameter.name.size());
        }
    }
    for (Slot& slot : previous) {
        if (!slot.value.IsSet()) {
            continue;
        }
        auto* target = const_cast<Slot*>(FindSlot(slot.name.data(), slot.name.size()));
        if (target != nullptr) {
            *target = std::move(slot);
        } else {
            slots_.push_back(std::move(slot));
        }
    }
}

void CommandState::DropSlotsBeyondLayout()
{
    slots_.erase(slots_.begin() + static_cast<std::ptrdiff_t>(laidOutCount_), slots_.end());
}

const ParameterValue* CommandState::Find(const char* parameterName, std::size_t length) const
{
    const Slot* slot = FindSlot(parameterName, length);
    return slot != nullptr && slot->value.IsSet() ? &slot->value : nullptr;
}

ParameterValue* CommandState::Find(const char* parameterName)
{
    return const_cast<ParameterValue*>(static_cast<const CommandState&>(*this).Find(parameterName));
}

ParameterValue* CommandState::Find(const char* parameterName, std::size_t length)
{
    return const_cast<ParameterValue*>(static_cast<const CommandState&>(*this).Find(parameterName, length));
}

ParameterValue& CommandState::Assign(const char* parameterName, std::size_t length)
{
    auto* slot = const_cast<Slot*>(FindSlot(parameterName, length));
    if (slot == nullptr) {
        slots_.emplace_back(parameterName, length);
        slot = &slots_.back();
    }
    MarkSet(*slot);
    return slot->value;
}

std::vector<const CommandState::Slot*> CommandState::SetSlotsInOrder() const
{
    std::vector<const Slot*> set;
    for (const Slot& slot : slots_) {
        if (slot.value.IsSet()) {
            set.push_back(&slot);
        }
    }
    std::sort(set.begin(), set.end(), [](const Slot* a, const Slot* b) { return a->setOrder < b->setOrder; });
    return set;
}

} // namespace TarnLinkPrivate
