#ifndef TARNLINK_COMMAND_COMMAND_STATE_H
#define TARNLINK_COMMAND_COMMAND_STATE_H

// The private state of a TarnCommand.
//
// Parameters live in slots laid out in the order of the definition the name
// had when the command was named: slot i holds the definition's parameter i,
// so the compiler and decompiler go from a definition's parameter straight to
// its value. Names the definition does not know follow in slots of their own.
// Each slot carries its name, so a command outlives the dictionary it was laid
// out for (a Terminate, a reload) and still answers by name.
// The library reaches the state through StateOf (state_pointer.h says how).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "command/parameter_value.h"
#include "command/state_pointer.h"
#include "dictionary/command_format.h"
#include "dictionary/command_registry.h"
#include "dictionary/name_bytes.h"
#include "tarnlink/TarnCommand.h"

namespace TarnLinkPrivate {

class CommandState {
public:
    struct Slot {
        // Made in place in the slot vector: a slot is too large to move cheaply.
        Slot(const char* parameterName, std::size_t length)
            : name(parameterName, length), nameEnds(EndsOf(parameterName, length))
        {
        }

        std::string name;
        NameEnds nameEnds;
        ParameterValue value;
        std::uint32_t setOrder = 0; // when it was first set, for the text forms
    };

    // Names the command and lays its slots out for the definition of that
    // name in the current dictionary; values already set move with their names.
    void Rename(const char* commandName);

    // The definition found when the command was named, or found afresh when
    // the dictionary has changed since (not stored: a const command may be
    // shared between threads). Null for an unknown name.
    const CommandFormat* Definition() const
    {
        return generation_ == RegistryGeneration() ? definition_ : FindCommandFormat(name);
    }

    // True when slot i holds parameter i of this definition.
    bool IsLaidOutFor(const CommandFormat& definition) const
    {
        return &definition == definition_ && generation_ == RegistryGeneration();
    }

    // The definition the slots are laid out for, when it carries parameter
    // data (a Tarn or Diag one) and the dictionary has not changed since;
    // null otherwise. What the planned paths of compiler and decoder start
    // from, found with one check.
    const TarnDataCommandFormat* LaidOutDataDefinition() const
    {
        return generation_ == RegistryGeneration() ? dataDefinition_ : nullptr;
    }

    // Lays the slots out again when the dictionary has changed since naming.
    // Inline, as the next three: every decompilation runs them.
    void Refresh()
    {
        if (generation_ != RegistryGeneration()) {
            LayOut(FindCommandFormat(name));
        }
    }

    // The set value of a name; null when unset. Inline, as FindSlot: a host
    // reads and writes parameters by C string name, one call per value.
    const ParameterValue* Find(const char* parameterName) const
    {
        if (parameterName == nullptr) {
            return nullptr;
        }
        const Slot* slot = FindSlot(parameterName, std::strlen(parameterName));
        return slot != nullptr && slot->value.IsSet() ? &slot->value : nullptr;
    }
    const ParameterValue* Find(const char* parameterName, std::size_t length) const;
    ParameterValue* Find(const char* parameterName);
    ParameterValue* Find(const char* parameterName, std::size_t length);

    // The slot of a name, created at the end when the name has none; counted
    // as set from now on (the caller sets it).
    ParameterValue& Assign(const char* parameterName, std::size_t length);
    // Slot index of a layout this command has (IsLaidOutFor), counted as set.
    ParameterValue& AssignSlot(std::size_t index)
    {
        MarkSet(slots_[index]);
        return slots_[index].value;
    }
    // The slots of such a layout, in the definition's order.
    const Slot* LaidOutSlots() const { return slots_.data(); }
    // The value of slot index of such a layout, set or not.
    const ParameterValue& SlotValue(std::size_t index) const { return slots_[index].value; }
    ParameterValue& SlotValue(std::size_t index) { return slots_[index].value; }

    void ClearParameters()
    {
        DropSlotsBeyondLayout();
        for (Slot& slot : slots_) {
            slot.value.Reset();
        }
        nextSetOrder_ = 1;
    }

    // Sets each slot of the layout this command has (IsLaidOutFor) to the
    // next integer that next() gives, in slot order: what clearing the command
    // and then setting each slot in turn gives, in one pass that frees nothing
    // and so makes no call. False, some values set, for a command that holds
    // more than its layout or a byte stream, which clearing must free: the
    // caller then decodes it afresh the full way.
    template <class NextInteger>
    bool ReplaceLaidOutIntegers(NextInteger&& next)
    {
        if (slots_.size() != laidOutCount_) {
            return false;
        }
        std::uint32_t order = 1;
        for (Slot& slot : slots_) {
            if (slot.value.Holds(ParamType::kBytes)) {
                return false;
            }
            const auto [type, bits] = next();
            slot.value.OverwriteWithInteger(type, bits);
            slot.setOrder = order++;
        }
        nextSetOrder_ = order;
        return true;
    }

    // The set slots in the order their names were first set.
    std::vector<const Slot*> SetSlotsInOrder() const;

    std::string name;
    bool isSend = true;
    std::int32_t conduitId = 0;
    TarnLink::CommandStatus_t status = TarnLink::kTLFail;

private:
    const Slot* FindSlot(const char* parameterName, std::size_t length) const
    {
        // Lengths first: most names of one command differ in length.
        const NameEnds ends = EndsOf(parameterName, length);
        for (const Slot& slot : slots_) {
            if (slot.name.size() == length && slot.nameEnds == ends &&
                (length <= kNameBytesInEnds || SameNameBytes(slot.name.data(), parameterName, length))) {
                return &slot;
            }
        }
        return nullptr;
    }
    void LayOut(const CommandFormat* definition);
    // Drops the parameters the definition lacks.
    void DropSlotsBeyondLayout();
    void MarkSet(Slot& slot)
    {
        if (!slot.value.IsSet()) {
            slot.setOrder = nextSetOrder_++;
        }
    }

    std::vector<Slot> slots_;
    const CommandFormat* definition_ = nullptr;
    const TarnDataCommandFormat* dataDefinition_ = nullptr; // definition_ unless it is a Meta one
    std::uint64_t generation_ = 0;                          // of the dictionary definition_ came from
    std::size_t laidOutCount_ = 0;                          // leading slots that follow the definition
    std::uint32_t nextSetOrder_ = 1;
};

inline CommandState& StateOf(TarnLink::TarnCommand& command) { return StateBehind<CommandState>(command); }
inline const CommandState& StateOf(const TarnLink::TarnCommand& command) { return StateBehind<CommandState>(command); }

} // namespace TarnLinkPrivate

#endif
