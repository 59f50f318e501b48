#ifndef TARNLINK_DICTIONARY_NAME_HASH_INDEX_H
#define TARNLINK_DICTIONARY_NAME_HASH_INDEX_H

// A hash index from names to pointers, for look-ups that neither copy nor
// allocate. It views names owned elsewhere, which must stay unchanged while
// indexed. Entries are only added or repointed, never removed, so the index
// is open addressing with linear probing, a power-of-two size kept at most
// half full.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <utility>
#include <vector>

#include "dictionary/name_bytes.h"

namespace TarnLinkPrivate {

template <class Pointer>
class NameHashIndex {
public:
    // Adds the name, or makes an entry of an equal name view this text and
    // hold this value.
    void Assign(std::string_view name, Pointer value)
    {
        const std::uint32_t hash = HashName(name.data(), name.size());
        if (Slot* existing = SlotOf(name.data(), name.size(), hash)) {
            existing->name = name.data();
            existing->value = value;
            return;
        }
        Insert(hash, name, value);
    }

    // Adds the name when it is absent, hashing it once: make() then gives the
    // view to index, of the same text, and the value. False, make() not
    // called, when the name is there.
    template <class Make>
    bool AddIfAbsent(std::string_view name, Make&& make)
    {
        const std::uint32_t hash = HashName(name.data(), name.size());
        if (SlotOf(name.data(), name.size(), hash) != nullptr) {
            return false;
        }
        const auto [kept, value] = make();
        Insert(hash, kept, value);
        return true;
    }

    Pointer Find(std::string_view name) const
    {
        return ValueOf(SlotOf(name.data(), name.size(), HashName(name.data(), name.size())));
    }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t length = 0;
        const char* name = nullptr; // null marks a free slot
        Pointer value = nullptr;
    };

    static constexpr std::size_t kInitialSlots = 16;
    static constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15u;

    // Multiply-xor per eight bytes: a short dependency chain for the names of
    // definitions and properties, and names of one family (a common prefix, a
    // different tail) still spread over the table.
    static std::uint64_t Mix(std::uint64_t hash, std::uint64_t word)
    {
        hash = (hash ^ word) * kMultiplier;
        return hash ^ (hash >> 29);
    }

    static std::uint32_t HashName(const char* name, std::size_t length)
    {
        std::uint64_t hash = length;
        for (; length >= sizeof(std::uint64_t); name += sizeof(std::uint64_t), length -= sizeof(std::uint64_t)) {
            std::uint64_t word = 0;
            std::memcpy(&word, name, sizeof word);
            hash = Mix(hash, word);
        }
        return Finish(Mix(hash, Tail(name, length)));
    }

    // The last up to seven bytes as one word, in reads of fixed size.
    static std::uint64_t Tail(const char* name, std::size_t length)
    {
        std::uint64_t tail = 0;
        unsigned shift = 0;
        TakeTail<std::uint32_t>(name, length, tail, shift);
        TakeTail<std::uint16_t>(name, length, tail, shift);
        TakeTail<std::uint8_t>(name, length, tail, shift);
        return tail;
    }

    template <class Part>
    static void TakeTail(const char*& name, std::size_t& length, std::uint64_t& tail, unsigned& shift)
    {
        if (length >= sizeof(Part)) {
            Part part = 0;
            std::memcpy(&part, name, sizeof part);
            tail |= static_cast<std::uint64_t>(part) << shift;
            shift += 8 * sizeof(Part);
            name += sizeof(Part);
            length -= sizeof(Part);
        }
    }

    static std::uint32_t Finish(std::uint64_t hash) { return static_cast<std::uint32_t>(hash ^ (hash >> 32)); }

    static Pointer ValueOf(const Slot* slot) { return slot != nullptr ? slot->value : nullptr; }

    Slot* SlotOf(const char* name, std::size_t length, std::uint32_t hash) const
    {
        if (slots_.empty()) {
            return nullptr;
        }
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t index = hash & mask; slots_[index].name != nullptr; index = (index + 1) & mask) {
            const Slot& slot = slots_[index];
            if (slot.hash == hash && slot.length == length && SameNameBytes(slot.name, name, length)) {
                return const_cast<Slot*>(&slot);
            }
        }
        return nullptr;
    }

    void Insert(std::uint32_t hash, std::string_view name, Pointer value)
    {
        if ((count_ + 1) * 2 > slots_.size()) {
            Grow();
        }
        Place(Slot{hash, static_cast<std::uint32_t>(name.size()), name.data(), value});
        ++count_;
    }

    void Place(const Slot& slot)
    {
        const std::size_t mask = slots_.size() - 1;
        std::size_t index = slot.hash & mask;
        while (slots_[index].name != nullptr) {
            index = (index + 1) & mask;
        }
        slots_[index] = slot;
    }

    void Grow()
    {
        std::vector<Slot> previous(slots_.empty() ? kInitialSlots : slots_.size() * 2);
        previous.swap(slots_);
        for (const Slot& slot : previous) {
            if (slot.name != nullptr) {
                Place(slot);
            }
        }
    }

    std::vector<Slot> slots_;
    std::size_t count_ = 0;
};

} // namespace TarnLinkPrivate

#endif
