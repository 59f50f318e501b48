#ifndef TARNLINK_COMMAND_DEFINITION_CACHE_H
#define TARNLINK_COMMAND_DEFINITION_CACHE_H

// The definition of a command's name as last looked up, kept in the command
// and valid while the dictionary's generation equals the one stored beside
// it. Compilation and decompilation take the command by const reference and
// fill the cache, so a host may share one const command between threads: both
// fields are atomic, and every thread that fills them in one generation
// writes the same definition, so a reader that sees a generation (acquire)
// sees that generation's definition. The dictionary changes generation only
// while it loads or goes, never while commands compile.

#include <atomic>
#include <cstdint>

namespace TarnLinkPrivate {

class CommandFormat;

class DefinitionCache {
public:
    DefinitionCache() = default;
    DefinitionCache(const DefinitionCache& other) { CopyFrom(other); }
    DefinitionCache& operator=(const DefinitionCache& other)
    {
        CopyFrom(other);
        return *this;
    }

    // The cached definition (null for an unknown name) when it belongs to
    // the generation; false when the cache is stale.
    bool Get(std::uint64_t generation, const CommandFormat*& definition) const
    {
        if (generation_.load(std::memory_order_acquire) != generation) {
            return false;
        }
        definition = definition_.load(std::memory_order_relaxed);
        return true;
    }

    void Put(std::uint64_t generation, const CommandFormat* definition) const
    {
        definition_.store(definition, std::memory_order_relaxed);
        generation_.store(generation, std::memory_order_release);
    }

    // A renamed command's cache is stale for every generation.
    void Clear() { Put(0, nullptr); }

private:
    void CopyFrom(const DefinitionCache& other)
    {
        const std::uint64_t generation = other.generation_.load(std::memory_order_acquire);
        Put(generation, other.definition_.load(std::memory_order_relaxed));
    }

    mutable std::atomic<const CommandFormat*> definition_{nullptr};
    mutable std::atomic<std::uint64_t> generation_{0};
};

} // namespace TarnLinkPrivate

#endif
